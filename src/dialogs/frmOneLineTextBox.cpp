// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmOneLineTextBox.h"

#include "dialogs/FormControls.h"
#include "dialogs/FormFieldFragments.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace FormControls;

frmOneLineTextBox::frmOneLineTextBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmOneLineTextBox"));
    setWindowTitle(QStringLiteral("Insert One-Line Text Box"));

    m_txtName = lineEdit(this, "txtName", {}, QStringLiteral("Name"), wideField);
    m_txtInitialValue = lineEdit(this, "txtInitialValue", {}, QStringLiteral("Initial value"), wideField);
    m_txtWidth = lineEdit(this, "txtWidth", QStringLiteral("20"), QStringLiteral("Width in characters"), narrowField);
    m_txtTabOrder = lineEdit(this, "txtTabOrder", {}, QStringLiteral("Tab order"), narrowField);
    const QString password = QStringLiteral("Password field");
    m_optYes = option(this, "optYes", QStringLiteral("Yes"), password, false);
    m_optNo = option(this, "optNo", QStringLiteral("No"), password, true);
    QPushButton *ok = makeOkButton();
    QPushButton *cancel = makeCancelButton();

    auto *widthRow = new QHBoxLayout;
    widthRow->addWidget(m_txtWidth);
    widthRow->addSpacing(12);
    widthRow->addWidget(label(this, QStringLiteral("Tab order:"), m_txtTabOrder));
    widthRow->addWidget(m_txtTabOrder);
    widthRow->addStretch();

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, QStringLiteral("Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, QStringLiteral("Initial value:"), m_txtInitialValue), 1, 0);
    fields->addWidget(m_txtInitialValue, 1, 1);
    fields->addWidget(label(this, QStringLiteral("Width in characters:"), m_txtWidth), 2, 0);
    fields->addLayout(widthRow, 2, 1);
    fields->addWidget(label(this, QStringLiteral("Password field:"), m_optNo), 3, 0);
    fields->addLayout(optionRow(m_optYes, m_optNo), 3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addLayout(buttonColumn(ok, cancel));
    makeFixed(*this, *layout);

    setTabOrder(m_txtName, m_txtInitialValue);
    setTabOrder(m_txtInitialValue, m_txtWidth);
    setTabOrder(m_txtWidth, m_txtTabOrder);
    setTabOrder(m_txtTabOrder, m_optYes);
    setTabOrder(m_optYes, m_optNo);
    setTabOrder(m_optNo, ok);
    setTabOrder(ok, cancel);
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmOneLineTextBox::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmOneLineTextBox::cmdCancel_Click);
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
