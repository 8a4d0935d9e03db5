// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ElementDialog.h"

#include "platform/EditorControl.h"

ElementDialog::ElementDialog(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : QDialog(parent)
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
