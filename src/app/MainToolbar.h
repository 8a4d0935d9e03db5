// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QToolBar>

class QAction;
class QToolButton;

// Toolbar1: New, Open, Save; Cut, Copy, Paste, Find; Undo, Redo; Preview. Each button shows the
// icon of the menu command it stands for and is enabled with it; a click is reported by its key
// (its caption), for the main window to route.
class MainToolbar : public QToolBar
{
    Q_OBJECT

public:
    // actions are the menu commands by name; the buttons' commands get their icons here.
    MainToolbar(const QHash<QString, QAction *> &actions, QWidget *parent);

    QToolButton *button(const QString &key) const;
    // The name of the menu command a button stands for, or an empty string.
    static QString command(const QString &key);

signals:
    void buttonClicked(const QString &key);

private:
    QHash<QString, QToolButton *> m_buttons;
};
