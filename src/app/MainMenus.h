// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMenuBar;
class QObject;

// The menu bar's commands: File, Edit, Insert and Help with their submenus, in display order.
// Every item is one QAction named after its menu item (menus and submenus by their menu action),
// owned by owner; the main window connects them.
namespace MainMenus {
QHash<QString, QAction *> build(QMenuBar &bar, QObject *owner);
} // namespace MainMenus
