// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

// Keeps the windows a window owns (its dialogs and tool windows) owned when the toolkit makes the
// owner's native window anew, as it does when the first browser view joins the main window: the
// new native window is not the one the owned windows were made transient for, and without their
// owner the window manager lets them fall behind it.
class OwnedWindows : public QObject
{
    Q_OBJECT

public:
    explicit OwnedWindows(QWidget &owner);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reattach();

    QWidget &m_owner;
};
