// SPDX-License-Identifier: GPL-3.0-or-later
#include "formatting/FormattingCommands.h"

#include "editing/InsertTag.h"
#include "formatting/FormattingMarkup.h"
#include "formatting/FormattingToolbar.h"
#include "editor/EditorControl.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

FormattingCommands::FormattingCommands(FormattingToolbar &formattlb, EditorControl &r1, Hooks hooks, QObject *parent)
    : QObject(parent)
    , m_formattlb(formattlb)
    , m_r1(r1)
    , m_hooks(std::move(hooks))
{
    connect(&m_formattlb, &FormattingToolbar::formattlb_ButtonClick, this, &FormattingCommands::formattlb_ButtonClick);
    // activated, not currentIndexChanged: only the user's choice wraps, never a programmatic reset.
    connect(m_formattlb.ColorCombo(), &QComboBox::activated, this, &FormattingCommands::ColorCombo_Click);
    connect(m_formattlb.SizeCombo(), &QComboBox::activated, this, &FormattingCommands::SizeCombo_Click);
    connect(m_formattlb.fntcbo(), &QComboBox::activated, this, &FormattingCommands::fntcbo_Click);
    // Enter reaches the combo when it has the focus, and its line edit when sent there directly.
    m_fntcboKeys = m_formattlb.fntcbo();
    m_fntcboKeys->installEventFilter(this);
    if (QLineEdit *edit = m_formattlb.fntcbo()->lineEdit()) {
        m_fntcboEditKeys = edit;
        edit->installEventFilter(this);
        // Left alone, the combo picks the list item matching the typed text when the focus leaves,
        // and reports it as chosen: the face would be applied again, or without Enter at all.
        disconnect(edit, &QLineEdit::editingFinished, m_formattlb.fntcbo(), nullptr);
    }
}

void FormattingCommands::formattlb_ButtonClick(const QString &key)
{
    if (const auto markup = FormattingMarkup::buttonMarkup(key))
        InsertTag(m_r1, markup->start, markup->end);
    else if (key == QLatin1String("Table"))
        m_hooks.showTable();
    else if (key == QLatin1String("Frame"))
        m_hooks.showFrames();
    m_hooks.refreshQuickPreview();
}

void FormattingCommands::ColorCombo_Click()
{
    const QString name = m_formattlb.ColorCombo()->currentText();
    for (const auto &[colourName, code] : FormattingToolbar::colourTable()) {
        if (colourName == name) {
            wrapInFont(QStringLiteral("color"), code);
            m_hooks.refreshQuickPreview();
            return;
        }
    }
}

void FormattingCommands::SizeCombo_Click()
{
    wrapInFont(QStringLiteral("size"), m_formattlb.SizeCombo()->currentText());
    m_hooks.refreshQuickPreview();
}

void FormattingCommands::fntcbo_Click()
{
    wrapInFont(QStringLiteral("face"), m_formattlb.fntcbo()->currentText());
    m_hooks.refreshQuickPreview();
}

bool FormattingCommands::fntcbo_KeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    wrapInFont(QStringLiteral("face"), m_formattlb.fntcbo()->currentText());
    return true;
}

void FormattingCommands::wrapInFont(const QString &attribute, const QString &value)
{
    const FormattingMarkup::Wrap markup = FormattingMarkup::fontMarkup(attribute, value);
    InsertTag(m_r1, markup.start, markup.end);
}

bool FormattingCommands::eventFilter(QObject *watched, QEvent *event)
{
    // Only the identity of the watched objects is compared: their last events arrive while the
    // toolbar and the combo are being destroyed, when neither may be used any more.
    if (event->type() == QEvent::KeyPress && (watched == m_fntcboKeys || watched == m_fntcboEditKeys))
        return fntcbo_KeyPress(static_cast<QKeyEvent *>(event)->key());
    return QObject::eventFilter(watched, event);
}
