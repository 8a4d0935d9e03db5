// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmScrollingTextBox.h"

#include "dialogs/DialogControls.h"
#include "dialogs/FormFieldFragments.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace DialogControls;

frmScrollingTextBox::frmScrollingTextBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmScrollingTextBox"));
    setWindowTitle(QStringLiteral("Insert Scrolling Text Box"));

    m_txtName = field(this, "txtName", {}, QStringLiteral("Name"), wideField);
    m_initialTextArea = new QPlainTextEdit(this);
    m_initialTextArea->setObjectName(QStringLiteral("Text1"));
    m_initialTextArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_initialTextArea->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab moves on to the next field, as in the other fields.
    m_initialTextArea->setTabChangesFocus(true);
    m_initialTextArea->setFixedSize(wideField, 64);
    m_txtWidth = field(this, "txtWidth", QStringLiteral("20"), QStringLiteral("Width in characters"), narrowField);
    m_txtTabOrder = field(this, "txtTabOrder", {}, QStringLiteral("Tab order"), narrowField);
    m_txtNumberOfLines = field(this, "txtNumberOfLines", QStringLiteral("2"), QStringLiteral("Number of lines"), narrowField);
    // Neither button is ever the default: Enter belongs to the initial text, and a button a
    // user tabbed past must not take over Enter in the other fields.
    QPushButton *ok = button(this, "cmdOK", QStringLiteral("OK"));
    QPushButton *cancelButton = makeCancelButton();
    ok->setAutoDefault(false);
    cancelButton->setAutoDefault(false);

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, nullptr, QStringLiteral("Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Initial value:"), m_initialTextArea), 1, 0, Qt::AlignTop);
    fields->addWidget(m_initialTextArea, 1, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Width in characters:"), m_txtWidth), 2, 0);
    fields->addLayout(tabOrderRow(m_txtWidth, m_txtTabOrder), 2, 1);
    fields->addWidget(label(this, nullptr, QStringLiteral("Number of lines:"), m_txtNumberOfLines), 3, 0);
    fields->addWidget(m_txtNumberOfLines, 3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addLayout(buttonColumn(ok, cancelButton));

    tabOrder({m_txtName, m_initialTextArea, m_txtWidth, m_txtNumberOfLines, m_txtTabOrder, ok, cancelButton});
    m_txtName->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmScrollingTextBox::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmScrollingTextBox::cmdCancel_Click);
}

void frmScrollingTextBox::keyPressEvent(QKeyEvent *event)
{
    // Enter still presses the button that has the focus.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *focused = qobject_cast<QPushButton *>(focusWidget())) {
            focused->click();
            return;
        }
    }
    ElementDialog::keyPressEvent(event);
}

void frmScrollingTextBox::cmdOK_Click()
{
    FormFieldFragments::ScrollingTextBox field;
    field.name = m_txtName->text();
    field.initialText = areaText(*m_initialTextArea);
    field.width = m_txtWidth->text();
    field.numberOfLines = m_txtNumberOfLines->text();
    field.tabOrder = m_txtTabOrder->text();
    insertFragment(FormFieldFragments::build(field));
}

void frmScrollingTextBox::cmdCancel_Click()
{
    cancel(true);
}
