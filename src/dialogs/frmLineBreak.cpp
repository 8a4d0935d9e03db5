// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmLineBreak.h"

#include "dialogs/DialogControls.h"
#include "dialogs/LineFragments.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace DialogControls;

frmLineBreak::frmLineBreak(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmLineBreak"));
    setWindowTitle(QStringLiteral("Break Properties"));

    auto *group = frame(this, QString());
    group->setAccessibleName(QStringLiteral("Line break"));
    m_optNormal = option(group, "optNormal", QStringLiteral("Normal Line Break"), true);
    m_optLeft = option(group, "optLeft", QStringLiteral("Clear Left Margin"));
    m_optRight = option(group, "optRight", QStringLiteral("Clear Right Margin"));
    auto *optBoth = option(group, "optBoth", QStringLiteral("Clear Both Margins"));
    auto *options = new QVBoxLayout(group);
    for (QRadioButton *choice : {m_optNormal, m_optLeft, m_optRight, optBoth})
        options->addWidget(choice);

    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(group);
    layout->addLayout(buttonColumn(ok, cancelButton));

    tabOrder({ok, cancelButton, m_optNormal, m_optLeft, m_optRight, optBoth});
    ok->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmLineBreak::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmLineBreak::cmdCancel_Click);
}

void frmLineBreak::cmdOK_Click()
{
    using LineFragments::BreakClear;
    BreakClear clear = BreakClear::Both;
    if (m_optNormal->isChecked())
        clear = BreakClear::None;
    else if (m_optLeft->isChecked())
        clear = BreakClear::Left;
    else if (m_optRight->isChecked())
        clear = BreakClear::Right;
    insertFragment(LineFragments::lineBreak(clear));
}

void frmLineBreak::cmdCancel_Click()
{
    cancel(true);
}
