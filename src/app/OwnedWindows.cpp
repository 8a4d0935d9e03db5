// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OwnedWindows.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

OwnedWindows::OwnedWindows(QWidget &owner)
    : QObject(&owner)
    , m_owner(owner)
{
    m_owner.installEventFilter(this);
}

bool OwnedWindows::eventFilter(QObject *watched, QEvent *event)
{
    // After the toolkit has shown the new window, which the window manager then puts on top.
    if (watched == &m_owner && event->type() == QEvent::WinIdChange)
        QMetaObject::invokeMethod(this, &OwnedWindows::reattach, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void OwnedWindows::reattach()
{
    QWindow *ownerWindow = m_owner.windowHandle();
    if (!ownerWindow)
        return;
    for (QWidget *child : m_owner.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        QWindow *window = child->isWindow() ? child->windowHandle() : nullptr;
        if (!window || window->transientParent() == ownerWindow)
            continue;
        window->setTransientParent(ownerWindow);
        if (!window->isVisible())
            continue;
        // The toolkit tells the window manager a window's owner only when it is shown; one already
        // on the screen is told here, and goes back in front of its owner.
        if (const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
            XSetTransientForHint(x11->display(), window->winId(), ownerWindow->winId());
            XFlush(x11->display());
        }
        child->raise();
    }
}
