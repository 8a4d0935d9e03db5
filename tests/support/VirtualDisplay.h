// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

class QTemporaryDir;

// A virtual X server of the test's own (Xvfb on a free display), with the openbox window manager
// when asked, for starting the real program and driving it with xdotool as a user would.
class VirtualDisplay
{
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // Why the display cannot be had (a tool missing, the server not starting), or an empty
    // string once it runs.
    QString start(bool windowManager);

    // Runs xdotool on this display; its output, trimmed.
    QString xdotool(const QStringList &arguments) const;
    // The id of the last visible window whose title matches pattern, waiting for it up to
    // timeout; empty when none appeared.
    QString waitForWindow(const QString &pattern, int timeout = 60000) const;
    // Whether a visible window's title matches pattern now.
    bool hasWindow(const QString &pattern) const;

    // Starts the program named by ZORVANE_EXECUTABLE on this display with arguments, its
    // settings, state and caches under home.
    void startProgram(QProcess &program, const QTemporaryDir &home, const QStringList &arguments) const;

private:
    QProcess m_server;
    QProcess m_windowManager;
    QString m_name;
};
