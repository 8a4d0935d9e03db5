// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmCheckBox.h"

#include "dialogs/DialogControls.h"
#include "dialogs/FormFieldFragments.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace DialogControls;

frmCheckBox::frmCheckBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmCheckBox"));
    setWindowTitle(QStringLiteral("Insert Check Box"));

    m_txtName = field(this, "txtName", {}, QStringLiteral("Name"), wideField);
    m_txtValue = field(this, "txtValue", {}, QStringLiteral("Value"), wideField);
    m_optChecked = option(this, "optChecked", QStringLiteral("Checked"));
    m_optNotChecked = option(this, "optNotChecked", QStringLiteral("Not checked"), true);
    m_Text1 = field(this, "Text1", {}, QStringLiteral("Tab order"), narrowField);
    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, nullptr, QStringLiteral("Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Value:"), m_txtValue), 1, 0);
    fields->addWidget(m_txtValue, 1, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Default State:"), m_optNotChecked), 2, 0);
    fields->addLayout(optionRow(QStringLiteral("Default State"), {m_optChecked, m_optNotChecked}), 2, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Tab order:"), m_Text1), 3, 0);
    fields->addWidget(m_Text1, 3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(12);
    layout->addLayout(fields);
    layout->addLayout(buttonRow(ok, cancelButton, Qt::AlignRight));

    tabOrder({m_txtName, m_txtValue, m_optChecked, m_optNotChecked, m_Text1, ok, cancelButton});
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmCheckBox::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmCheckBox::cmdCancel_Click);
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
