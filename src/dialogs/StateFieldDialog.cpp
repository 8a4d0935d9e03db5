// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/StateFieldDialog.h"

#include "dialogs/DialogControls.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace DialogControls;

StateFieldDialog::StateFieldDialog(EditorControl &editor, std::function<void()> refreshPreview, const Setup &setup,
                                   QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
    , m_cancelRefreshes(setup.cancelRefreshes)
    , m_fragment(setup.fragment)
{
    setObjectName(QLatin1String(setup.objectName));
    setWindowTitle(setup.title);

    m_txtName = field(this, "txtName", {}, {}, wideField);
    m_txtValue = field(this, "txtValue", {}, {}, wideField);
    m_optOn = option(this, setup.on.name, setup.on.caption);
    QRadioButton *optOff = option(this, setup.off.name, setup.off.caption, true);
    m_tabOrderField = field(this, "Text1", {}, {}, narrowField);
    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, nullptr, setup.nameLabel, m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Value:"), m_txtValue), 1, 0);
    fields->addWidget(m_txtValue, 1, 1);
    fields->addWidget(label(this, nullptr, setup.stateLabel, optOff), 2, 0);
    fields->addLayout(optionRow(setup.stateLabel.chopped(1), {m_optOn, optOff}), 2, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Tab order:"), m_tabOrderField), 3, 0);
    fields->addWidget(m_tabOrderField, 3, 1);

    auto *layout = new QBoxLayout(setup.buttonsBelow ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(setup.buttonsBelow ? 12 : 16);
    layout->addLayout(fields);
    layout->addLayout(setup.buttonsBelow ? buttonRow(ok, cancelButton, Qt::AlignRight) : buttonColumn(ok, cancelButton));

    tabOrder({m_txtName, m_txtValue, m_optOn, optOff, m_tabOrderField, ok, cancelButton});
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &StateFieldDialog::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &StateFieldDialog::cmdCancel_Click);
}

void StateFieldDialog::cmdOK_Click()
{
    FormFieldFragments::StateField field;
    field.name = m_txtName->text();
    field.value = m_txtValue->text();
    field.tabOrder = m_tabOrderField->text();
    field.on = m_optOn->isChecked();
    insertFragment(m_fragment(field));
}

void StateFieldDialog::cmdCancel_Click()
{
    cancel(m_cancelRefreshes);
}
