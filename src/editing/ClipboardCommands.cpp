// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ClipboardCommands.h"

#include "editor/EditorControl.h"
#include "host/HostServices.h"

ClipboardCommands::ClipboardCommands(EditorControl &r1, HostServices &host, std::function<void(bool)> setCutCopyEnabled,
                                     QObject *parent)
    : QObject(parent)
    , m_r1(r1)
    , m_host(host)
    , m_setCutCopyEnabled(std::move(setCutCopyEnabled))
{
}

QString ClipboardCommands::withCrLf(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            result.append(QStringLiteral("\r\n"));
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            result.append(QStringLiteral("\r\n"));
        } else {
            result.append(c);
        }
    }
    return result;
}

void ClipboardCommands::mnuCut_Click()
{
    m_host.setClipboardText(m_r1.SelText());
    m_r1.setSelText(QString());
    m_setCutCopyEnabled(false);
}

void ClipboardCommands::mnuCopy_Click()
{
    m_host.setClipboardText(m_r1.SelText());
}

void ClipboardCommands::mnuPaste_Click()
{
    // Other programs put LF or CR line breaks on the clipboard; the document keeps CR LF.
    m_r1.setSelText(withCrLf(m_host.clipboardText()));
}

void ClipboardCommands::mnuClear_Click()
{
    if (m_r1.SelLength() == 0) {
        // The character after the caret. A CR LF line break and a surrogate pair are one
        // character each: deleting half of either would leave a broken text.
        const int caret = m_r1.SelStart();
        const QString next = m_r1.textRange(caret, caret + 2);
        const bool twoUnits = next == QLatin1String("\r\n") || (next.size() == 2 && next.at(0).isHighSurrogate());
        m_r1.setSelLength(twoUnits ? 2 : 1);
    }
    m_r1.setSelText(QString());
}

void ClipboardCommands::mnuSelectAll_Click()
{
    m_r1.setSelStart(0);
    m_r1.setSelLength(m_r1.length());
}

void ClipboardCommands::r1_KeyUp()
{
    followSelection();
}

void ClipboardCommands::r1_MouseUp()
{
    followSelection();
}

void ClipboardCommands::followSelection()
{
    m_setCutCopyEnabled(m_r1.SelLength() > 0);
}
