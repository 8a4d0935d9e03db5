// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmRadioButton.h"

#include "dialogs/FormControls.h"
#include "dialogs/FormFieldFragments.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace FormControls;

frmRadioButton::frmRadioButton(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmRadioButton"));
    setWindowTitle(QStringLiteral("Insert Radio Button"));

    m_txtName = lineEdit(this, "txtName", {}, QStringLiteral("Group Name"), wideField);
    m_txtValue = lineEdit(this, "txtValue", {}, QStringLiteral("Value"), wideField);
    const QString state = QStringLiteral("Initial State");
    m_optSelected = option(this, "optSelected", QStringLiteral("Selected"), state, false);
    m_optNotSelected = option(this, "optNotSelected", QStringLiteral("Not selected"), state, true);
    m_Text1 = lineEdit(this, "Text1", {}, QStringLiteral("Tab order"), narrowField);
    QPushButton *ok = makeOkButton();
    QPushButton *cancel = makeCancelButton();

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, QStringLiteral("Group Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, QStringLiteral("Value:"), m_txtValue), 1, 0);
    fields->addWidget(m_txtValue, 1, 1);
    fields->addWidget(label(this, QStringLiteral("Initial State:"), m_optNotSelected), 2, 0);
    fields->addLayout(optionRow(m_optSelected, m_optNotSelected), 2, 1);
    fields->addWidget(label(this, QStringLiteral("Tab order:"), m_Text1), 3, 0);
    fields->addWidget(m_Text1, 3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addLayout(buttonColumn(ok, cancel));
    makeFixed(*this, *layout);

    setTabOrder(m_txtName, m_txtValue);
    setTabOrder(m_txtValue, m_optSelected);
    setTabOrder(m_optSelected, m_optNotSelected);
    setTabOrder(m_optNotSelected, m_Text1);
    setTabOrder(m_Text1, ok);
    setTabOrder(ok, cancel);
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmRadioButton::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmRadioButton::cmdCancel_Click);
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
