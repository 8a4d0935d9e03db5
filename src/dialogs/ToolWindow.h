// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

// The common ground of the modeless tool windows (table generator, frameset templates, colour
// code picker): a top-level window of its own, modeless, owned by the main window so that it
// stays in front of it, kept out of the task bar, with a close button but no minimise or maximise
// button. Closing it destroys it, so the next opening starts from its defaults again.
class ToolWindow : public QWidget
{
    Q_OBJECT

public:
    // Shows the window held by window, or makes one with create() and shows that. A window that
    // is already open keeps its position and its values and is only brought forward. A new one
    // goes beside anchor (over its edge when the screen has no room at either side), below the
    // tool windows already there, and is destroyed with anchor, whose editor it acts on.
    template <typename Window, typename Create>
    static Window *showOrRaise(QPointer<Window> &window, Create create, QWidget &anchor)
    {
        if (window.isNull()) {
            window = create();
            window->attachTo(anchor);
        }
        window->bringForward();
        return window;
    }

protected:
    explicit ToolWindow(const QString &title);

    // Centres the window on its screen instead of placing it beside the anchor.
    void setCentredOnScreen(bool centred) { m_centred = centred; }

private:
    void attachTo(QWidget &anchor);
    void bringForward();

    bool m_centred = false;
};
