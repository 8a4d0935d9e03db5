// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ElementDialog.h"

#include "dialogs/DialogControls.h"
#include "editor/EditorControl.h"
#include "host/HostServices.h"

#include <QKeyEvent>
#include <QPushButton>

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

QPushButton *ElementDialog::makeOkButton(const char *name)
{
    QPushButton *ok = DialogControls::button(this, name, QStringLiteral("OK"));
    ok->setDefault(true);
    return ok;
}

QPushButton *ElementDialog::makeCancelButton(const char *name)
{
    m_escapeButton = DialogControls::button(this, name, QStringLiteral("Cancel"));
    return m_escapeButton;
}

std::optional<QString> ElementDialog::askAtCorner(HostServices &host, const QString &prompt, const QString &title) const
{
    // The input box takes its position in twips, 15 to a pixel.
    return host.InputBox(prompt, title, QString(), x() * 15, y() * 15);
}

void ElementDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc never closes the dialog behind its Cancel handler's back.
    if (event->matches(QKeySequence::Cancel)) {
        if (m_escapeButton && m_escapeButton->isEnabled())
            m_escapeButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
