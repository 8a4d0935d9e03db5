// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class EditorControl;

// Keeps the previews in step with the text: every change of the editor restarts one single-shot
// timer, and refresh runs once the text has been still for delay() (delayMs unless changed). A
// keystroke costs only the restart; the page is written and reloaded once per pause, never per
// key. Switched off, it does nothing at all.
class LivePreview : public QObject
{
    Q_OBJECT

public:
    static constexpr int delayMs = 300;

    LivePreview(EditorControl &r1, std::function<void()> refresh, QObject *parent = nullptr);

    bool isEnabled() const { return m_enabled; }
    // How long the text must be still before the previews follow it.
    int delay() const { return m_timer.interval(); }
    void setDelay(int ms) { m_timer.setInterval(ms); }
    // A change is waiting for its refresh.
    bool isPending() const { return m_timer.isActive(); }
    // Switching off also drops a refresh that is still waiting.
    void setEnabled(bool enabled);

private:
    void textChanged();

    std::function<void()> m_refresh;
    QTimer m_timer;
    bool m_enabled = true;
};
