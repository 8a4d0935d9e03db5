// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmCheckBox.h"

#include "dialogs/FormControls.h"
#include "dialogs/FormFieldFragments.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace FormControls;

frmCheckBox::frmCheckBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmCheckBox"));
    setWindowTitle(QStringLiteral("Insert Check Box"));

    m_txtName = lineEdit(this, "txtName", {}, QStringLiteral("Name"), wideField);
    m_txtValue = lineEdit(this, "txtValue", {}, QStringLiteral("Value"), wideField);
    const QString state = QStringLiteral("Default State");
    m_optChecked = option(this, "optChecked", QStringLiteral("Checked"), state, false);
    m_optNotChecked = option(this, "optNotChecked", QStringLiteral("Not checked"), state, true);
    m_Text1 = lineEdit(this, "Text1", {}, QStringLiteral("Tab order"), narrowField);
    QPushButton *ok = makeOkButton();
    QPushButton *cancel = makeCancelButton();

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, QStringLiteral("Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, QStringLiteral("Value:"), m_txtValue), 1, 0);
    fields->addWidget(m_txtValue, 1, 1);
    fields->addWidget(label(this, QStringLiteral("Default State:"), m_optNotChecked), 2, 0);
    fields->addLayout(optionRow(m_optChecked, m_optNotChecked), 2, 1);
    fields->addWidget(label(this, QStringLiteral("Tab order:"), m_Text1), 3, 0);
    fields->addWidget(m_Text1, 3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    makeFixed(*this, *layout);

    setTabOrder(m_txtName, m_txtValue);
    setTabOrder(m_txtValue, m_optChecked);
    setTabOrder(m_optChecked, m_optNotChecked);
    setTabOrder(m_optNotChecked, m_Text1);
    setTabOrder(m_Text1, ok);
    setTabOrder(ok, cancel);
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmCheckBox::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmCheckBox::cmdCancel_Click);
}

void frmCheckBox::cmdOK_Click()
{
    FormFieldFragments::CheckBox field;
    field.name = m_txtName->text();
    field.value = m_txtValue->text();
    field.checked = m_optChecked->isChecked();
    field.tabOrder = m_Text1->text();
    insertFragment(FormFieldFragments::build(field));
}

void frmCheckBox::cmdCancel_Click()
{
    cancel(false);
}
