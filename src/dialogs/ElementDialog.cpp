// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ElementDialog.h"

#include "platform/EditorControl.h"

#include <QAbstractButton>
#include <QKeyEvent>

ElementDialog::ElementDialog(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_editor(editor)
    , m_refreshPreview(std::move(refreshPreview))
{
}

void ElementDialog::insertFragment(const QString &fragment)
{
    m_editor.setSelText(fragment);
    m_refreshPreview();
    accept();
}

void ElementDialog::cancel(bool refresh)
{
    if (refresh)
        m_refreshPreview();
    reject();
}

void ElementDialog::setCancelButton(QAbstractButton *button)
{
    m_escapeHandled = true;
    m_cancelButton = button;
}

void ElementDialog::keyPressEvent(QKeyEvent *event)
{
    if (m_escapeHandled && event->matches(QKeySequence::Cancel)) {
        if (m_cancelButton && m_cancelButton->isEnabled())
            m_cancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
