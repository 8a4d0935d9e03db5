// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class EditorControl;
class HostServices;

// Cut, Copy, Paste, Clear and Select All on the editor's selection, with plain text on the
// clipboard, and the Cut/Copy state that follows the selection at each key or mouse release.
class ClipboardCommands : public QObject
{
    Q_OBJECT

public:
    // setCutCopyEnabled switches the Copy and Cut commands (menu items and buttons) together.
    ClipboardCommands(EditorControl &r1, HostServices &host, std::function<void(bool)> setCutCopyEnabled,
                      QObject *parent = nullptr);

    // The clipboard's text with every line break as CR LF, the editor's own line break.
    static QString withCrLf(const QString &text);

public slots:
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuClear_Click();
    void mnuSelectAll_Click();
    // Key and mouse releases: Cut and Copy are on exactly when something is selected.
    void r1_KeyUp();
    void r1_MouseUp();

private:
    void followSelection();

    EditorControl &m_r1;
    HostServices &m_host;
    std::function<void(bool)> m_setCutCopyEnabled;
};
