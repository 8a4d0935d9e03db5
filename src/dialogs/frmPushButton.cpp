// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmPushButton.h"

#include "dialogs/FormControls.h"
#include "dialogs/FormFieldFragments.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace FormControls;

frmPushButton::frmPushButton(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmPushButton"));
    setWindowTitle(QStringLiteral("Insert Push Button"));

    m_txtName = lineEdit(this, "txtName", {}, QStringLiteral("Name"), wideField);
    m_txtValueLabel = lineEdit(this, "txtValueLabel", {}, QStringLiteral("Value/Label"), wideField);
    const QString type = QStringLiteral("Button type");
    m_optNormal = option(this, "optNormal", QStringLiteral("Normal"), type, true);
    m_optSubmit = option(this, "optSubmit", QStringLiteral("Submit"), type, false);
    m_optReset = option(this, "optReset", QStringLiteral("Reset"), type, false);
    m_txtTabOrder = lineEdit(this, "txtTabOrder", {}, QStringLiteral("Tab order"), narrowField);
    QPushButton *ok = makeOkButton();
    QPushButton *cancel = makeCancelButton();

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, QStringLiteral("Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, QStringLiteral("Value/Label:"), m_txtValueLabel), 1, 0);
    fields->addWidget(m_txtValueLabel, 1, 1);
    fields->addWidget(label(this, QStringLiteral("Button type:"), m_optNormal), 2, 0);
    fields->addLayout(optionRow(m_optNormal, m_optSubmit, m_optReset), 2, 1);
    fields->addWidget(label(this, QStringLiteral("Tab order:"), m_txtTabOrder), 3, 0);
    fields->addWidget(m_txtTabOrder, 3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addLayout(buttonColumn(ok, cancel));
    makeFixed(*this, *layout);

    setTabOrder(m_txtName, m_txtValueLabel);
    setTabOrder(m_txtValueLabel, m_optNormal);
    setTabOrder(m_optNormal, m_optSubmit);
    setTabOrder(m_optSubmit, m_optReset);
    setTabOrder(m_optReset, m_txtTabOrder);
    setTabOrder(m_txtTabOrder, ok);
    setTabOrder(ok, cancel);
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmPushButton::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmPushButton::cmdCancel_Click);
}

void frmPushButton::cmdOK_Click()
{
    using FormFieldFragments::ButtonType;
    FormFieldFragments::PushButton field;
    field.name = m_txtName->text();
    field.valueLabel = m_txtValueLabel->text();
    // Decided in the order Normal, Submit, Reset.
    field.type = m_optNormal->isChecked()   ? ButtonType::Normal
                 : m_optSubmit->isChecked() ? ButtonType::Submit
                                            : ButtonType::Reset;
    field.tabOrder = m_txtTabOrder->text();
    insertFragment(FormFieldFragments::build(field));
}

void frmPushButton::cmdCancel_Click()
{
    cancel(true);
}
