// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmRadioButton.h"

#include "dialogs/DialogControls.h"
#include "dialogs/FormFieldFragments.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace DialogControls;

frmRadioButton::frmRadioButton(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmRadioButton"));
    setWindowTitle(QStringLiteral("Insert Radio Button"));

    m_txtName = field(this, "txtName", {}, QStringLiteral("Group Name"), wideField);
    m_txtValue = field(this, "txtValue", {}, QStringLiteral("Value"), wideField);
    m_optSelected = option(this, "optSelected", QStringLiteral("Selected"));
    m_optNotSelected = option(this, "optNotSelected", QStringLiteral("Not selected"), true);
    m_Text1 = field(this, "Text1", {}, QStringLiteral("Tab order"), narrowField);
    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, nullptr, QStringLiteral("Group Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Value:"), m_txtValue), 1, 0);
    fields->addWidget(m_txtValue, 1, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Initial State:"), m_optNotSelected), 2, 0);
    fields->addLayout(optionRow(QStringLiteral("Initial State"), {m_optSelected, m_optNotSelected}), 2, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Tab order:"), m_Text1), 3, 0);
    fields->addWidget(m_Text1, 3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addLayout(buttonColumn(ok, cancelButton));

    tabOrder({m_txtName, m_txtValue, m_optSelected, m_optNotSelected, m_Text1, ok, cancelButton});
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmRadioButton::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmRadioButton::cmdCancel_Click);
}

void frmRadioButton::cmdOK_Click()
{
    FormFieldFragments::RadioButton field;
    field.name = m_txtName->text();
    field.value = m_txtValue->text();
    field.selected = m_optSelected->isChecked();
    field.tabOrder = m_Text1->text();
    insertFragment(FormFieldFragments::build(field));
}

void frmRadioButton::cmdCancel_Click()
{
    cancel(true);
}
