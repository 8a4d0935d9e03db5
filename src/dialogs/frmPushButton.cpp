// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmPushButton.h"

#include "dialogs/DialogControls.h"
#include "dialogs/FormFieldFragments.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace DialogControls;

frmPushButton::frmPushButton(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmPushButton"));
    setWindowTitle(QStringLiteral("Insert Push Button"));

    m_txtName = field(this, "txtName", {}, QStringLiteral("Name"), wideField);
    m_txtValueLabel = field(this, "txtValueLabel", {}, QStringLiteral("Value/Label"), wideField);
    m_optNormal = option(this, "optNormal", QStringLiteral("Normal"), true);
    m_optSubmit = option(this, "optSubmit", QStringLiteral("Submit"));
    m_optReset = option(this, "optReset", QStringLiteral("Reset"));
    m_txtTabOrder = field(this, "txtTabOrder", {}, QStringLiteral("Tab order"), narrowField);
    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, nullptr, QStringLiteral("Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Value/Label:"), m_txtValueLabel), 1, 0);
    fields->addWidget(m_txtValueLabel, 1, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Button type:"), m_optNormal), 2, 0);
    fields->addLayout(optionRow(QStringLiteral("Button type"), {m_optNormal, m_optSubmit, m_optReset}), 2, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Tab order:"), m_txtTabOrder), 3, 0);
    fields->addWidget(m_txtTabOrder, 3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addLayout(buttonColumn(ok, cancelButton));

    tabOrder({m_txtName, m_txtValueLabel, m_optNormal, m_optSubmit, m_optReset, m_txtTabOrder, ok, cancelButton});
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmPushButton::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmPushButton::cmdCancel_Click);
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
