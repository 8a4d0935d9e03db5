// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QMenuBar>

namespace {

struct MenuEntry {
    const char *name;    // object name; empty for a separator
    const char *caption; // with its access key
    const char *menu;    // the menu or submenu it belongs to
    QKeySequence shortcut;
    // The rich-text control's own key for the same command (Shift+Del, Ctrl+Ins).
    QKeySequence alternate = {};
};

// The menu tree in display order.
const QList<MenuEntry> &menuTree()
{
    static const QList<MenuEntry> tree = {
        {"mnuNew", "New", "mnuFile", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnuOpen", "Open", "mnuFile", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"", "", "mnuFile", {}},
        {"mnuSave", "Save", "mnuFile", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuSaveAs", "Save As...", "mnuFile", {}},
        {"", "", "mnuFile", {}},
        {"mnuExit", "Exit", "mnuFile", {}},
        {"mnuUndo", "Undo", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"mnuRedo", "Redo", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {"", "", "mnuEdit", {}},
        {"mnuCut", "Cut", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {"mnuCopy", "Copy", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
        {"mnuPaste", "Paste", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"", "", "mnuEdit", {}},
        {"mnuClear", "Clear", "mnuEdit", QKeySequence(Qt::ALT | Qt::Key_Backspace)},
        {"mnuSelectAll", "Select All", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"", "", "mnuEdit", {}},
        {"mnuFind", "Find and Replace", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"", "", "mnuEdit", {}},
        {"mnuPreview", "Preview in New Window", "mnuEdit", QKeySequence(Qt::Key_F11)},
        {"mnuLivePreview", "Live Preview", "mnuEdit", {}},
        {"mnuLineBreak", "&Line Break...", "mnuInsert", {}},
        {"mnuHorizontalLine", "Hori&zontal Line", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"mnuImage", "I&mage...", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"mnuActiveElements", "Active &Elements", "mnuInsert", {}},
        {"mnuMarquee", "Marquee...", "mnuActiveElements", {}},
        {"mnuVideo", "Video...", "mnuActiveElements", {}},
        {"mnuFormField", "F&orm Field", "mnuInsert", {}},
        {"mnuOneLineTextBox", "One-Line Text Box", "mnuFormField", {}},
        {"mnuScrollingTextBox", "Scrolling Text Box", "mnuFormField", {}},
        {"mnuCheckBox", "Check Box", "mnuFormField", {}},
        {"mnuRadioButton", "Radio Button", "mnuFormField", {}},
        {"mnuDropDownMenu", "Drop-Down Menu", "mnuFormField", {}},
        {"mnuPushButton", "Push Button", "mnuFormField", {}},
        {"mnuAdvanced", "Ad&vanced", "mnuInsert", {}},
        {"mnuPlugIn", "Plug-In...", "mnuAdvanced", {}},
        {"mnuScript", "Script...", "mnuAdvanced", {}},
        {"", "", "mnuInsert", {}},
        {"mnuHyperLink", "H&yperLink...", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"frmmnu", "&Frames", "mnuInsert", {}},
        {"mnutbins", "&Table", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"mnuhxcol", "Get &Hex Color Code", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"mnuBookmark", "&Bookmark", "mnuInsert", {}},
        {"mnuAbout", "About", "mnuHelp", {}},
    };
    return tree;
}

bool isSubmenu(const QString &name)
{
    return name == QLatin1String("mnuActiveElements") || name == QLatin1String("mnuFormField") || name == QLatin1String("mnuAdvanced");
}

} // namespace

QHash<QString, QAction *> MainMenus::build(QMenuBar &bar, QObject *owner)
{
    QHash<QString, QAction *> actions;
    QHash<QString, QMenu *> menus;
    menus.insert(QStringLiteral("mnuFile"), bar.addMenu(QStringLiteral("File")));
    menus.insert(QStringLiteral("mnuEdit"), bar.addMenu(QStringLiteral("Edit")));
    menus.insert(QStringLiteral("mnuInsert"), bar.addMenu(QStringLiteral("Insert")));
    menus.insert(QStringLiteral("mnuHelp"), bar.addMenu(QStringLiteral("Help")));
    for (auto it = menus.cbegin(); it != menus.cend(); ++it) {
        it.value()->setObjectName(it.key());
        it.value()->menuAction()->setObjectName(it.key());
        actions.insert(it.key(), it.value()->menuAction());
    }
    for (const MenuEntry &entry : menuTree()) {
        QMenu *menu = menus.value(QString::fromLatin1(entry.menu));
        const QString name = QString::fromLatin1(entry.name);
        if (name.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        if (isSubmenu(name)) {
            QMenu *submenu = menu->addMenu(QString::fromLatin1(entry.caption));
            submenu->setObjectName(name);
            submenu->menuAction()->setObjectName(name);
            menus.insert(name, submenu);
            actions.insert(name, submenu->menuAction());
            continue;
        }
        auto *item = new QAction(QString::fromLatin1(entry.caption), owner);
        item->setObjectName(name);
        if (entry.alternate.isEmpty())
            item->setShortcut(entry.shortcut);
        else
            item->setShortcuts({entry.shortcut, entry.alternate});
        // Menu shortcuts win over the focused editor's own keys.
        item->setShortcutContext(Qt::WindowShortcut);
        menu->addAction(item);
        actions.insert(name, item);
    }
    return actions;
}
