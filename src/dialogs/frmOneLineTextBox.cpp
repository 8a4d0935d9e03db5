// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmOneLineTextBox.h"

#include "dialogs/DialogControls.h"
#include "dialogs/FormFieldFragments.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace DialogControls;

frmOneLineTextBox::frmOneLineTextBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmOneLineTextBox"));
    setWindowTitle(QStringLiteral("Insert One-Line Text Box"));

    m_txtName = field(this, "txtName", {}, QStringLiteral("Name"), wideField);
    m_txtInitialValue = field(this, "txtInitialValue", {}, QStringLiteral("Initial value"), wideField);
    m_txtWidth = field(this, "txtWidth", QStringLiteral("20"), QStringLiteral("Width in characters"), narrowField);
    m_txtTabOrder = field(this, "txtTabOrder", {}, QStringLiteral("Tab order"), narrowField);
    m_optYes = option(this, "optYes", QStringLiteral("Yes"));
    m_optNo = option(this, "optNo", QStringLiteral("No"), true);
    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, nullptr, QStringLiteral("Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Initial value:"), m_txtInitialValue), 1, 0);
    fields->addWidget(m_txtInitialValue, 1, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Width in characters:"), m_txtWidth), 2, 0);
    fields->addLayout(tabOrderRow(m_txtWidth, m_txtTabOrder), 2, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Password field:"), m_optNo), 3, 0);
    fields->addLayout(optionRow(QStringLiteral("Password field"), {m_optYes, m_optNo}), 3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addLayout(buttonColumn(ok, cancelButton));

    tabOrder({m_txtName, m_txtInitialValue, m_txtWidth, m_txtTabOrder, m_optYes, m_optNo, ok, cancelButton});
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmOneLineTextBox::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmOneLineTextBox::cmdCancel_Click);
}

void frmOneLineTextBox::cmdOK_Click()
{
    FormFieldFragments::OneLineTextBox field;
    field.name = m_txtName->text();
    field.initialValue = m_txtInitialValue->text();
    field.width = m_txtWidth->text();
    field.tabOrder = m_txtTabOrder->text();
    field.password = m_optYes->isChecked();
    insertFragment(FormFieldFragments::build(field));
}

void frmOneLineTextBox::cmdCancel_Click()
{
    cancel(true);
}
