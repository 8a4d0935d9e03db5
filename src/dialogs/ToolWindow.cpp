// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ToolWindow.h"

#include <QApplication>
#include <QScreen>

namespace {

// Gap left between the tool window and the window it stands beside.
constexpr int Gap = 8;

} // namespace

ToolWindow::ToolWindow(const QString &title)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
}

void ToolWindow::attachTo(QWidget &anchor)
{
    // Owned by the anchor's window: the window manager keeps it in front of that window (which
    // takes the focus back after each insert) and minimises it with it; the anchor destroys it.
    setParent(&anchor, windowFlags());
    adjustSize();
    // A fixed size: the window manager then offers neither resizing nor maximising.
    setFixedSize(size());
    const QRect screen = anchor.screen()->availableGeometry();
    if (m_centred) {
        move(screen.center() - rect().center());
        return;
    }
    const QRect owner = anchor.frameGeometry();
    const QSize size = frameGeometry().size();
    int x = owner.right() + Gap;
    if (x + size.width() > screen.right())
        x = owner.left() - Gap - size.width();
    // No room on either side: overlap the window's right edge, inside the screen.
    if (x < screen.left())
        x = screen.right() - size.width();
    x = qMax(x, screen.left());
    // Stand below the tool windows already open there rather than on top of them.
    QRect place(QPoint(x, qMax(screen.top(), owner.top())), size);
    for (bool moved = true; moved;) {
        moved = false;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *other = qobject_cast<ToolWindow *>(widget);
            if (other && other != this && other->isVisible() && other->frameGeometry().intersects(place)) {
                place.moveTop(other->frameGeometry().bottom() + Gap);
                moved = true;
            }
        }
    }
    if (place.bottom() > screen.bottom())
        place.moveTop(qMax(screen.top(), owner.top()));
    move(place.topLeft());
}

void ToolWindow::bringForward()
{
    show();
    raise();
    activateWindow();
}
