// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainToolbar.h"

#include <QAction>
#include <QIcon>
#include <QList>
#include <QToolButton>

namespace {

struct ToolbarEntry {
    const char *key;
    const char *toolTip;
    const char *command;
    const char *themeIcon;
    const char *fallback;
};

// The buttons in order; a null key separates groups.
const QList<ToolbarEntry> &toolbarButtons()
{
    static const QList<ToolbarEntry> buttons = {
        {"New", "New", "mnuNew", "document-new", "new"},
        {"Open", "Open", "mnuOpen", "document-open", "open"},
        {"Save", "Save", "mnuSave", "document-save", "save"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"Cut", "Cut", "mnuCut", "edit-cut", "cut"},
        {"Copy", "Copy", "mnuCopy", "edit-copy", "copy"},
        {"Paste", "Paste", "mnuPaste", "edit-paste", "paste"},
        {"Find", "Find", "mnuFind", "edit-find", "find"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"Undo", "Undo", "mnuUndo", "edit-undo", "undo"},
        {"Redo", "Redo", "mnuRedo", "edit-redo", "redo"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"Preview", "Preview in New Window", "mnuPreview", "document-print-preview", "preview"},
    };
    return buttons;
}

} // namespace

MainToolbar::MainToolbar(const QHash<QString, QAction *> &actions, QWidget *parent)
    : QToolBar(tr("Main"), parent)
{
    setObjectName(QStringLiteral("Toolbar1"));
    setMovable(false);
    setIconSize(QSize(22, 22));
    for (const ToolbarEntry &entry : toolbarButtons()) {
        if (!entry.key) {
            addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(entry.key);
        QAction *command = actions.value(QString::fromLatin1(entry.command));
        command->setIcon(QIcon::fromTheme(QString::fromLatin1(entry.themeIcon),
                                          QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(entry.fallback)))));
        auto *button = new QToolButton(this);
        button->setObjectName(key);
        button->setIcon(command->icon());
        button->setToolTip(QString::fromLatin1(entry.toolTip));
        button->setAccessibleName(QString::fromLatin1(entry.toolTip));
        button->setAutoRaise(true);
        button->setEnabled(command->isEnabled());
        // The button mirrors its command, so both are switched on and off together.
        connect(command, &QAction::enabledChanged, button, &QToolButton::setEnabled);
        connect(button, &QToolButton::clicked, this, [this, key] { emit buttonClicked(key); });
        addWidget(button);
        m_buttons.insert(key, button);
    }
}

QToolButton *MainToolbar::button(const QString &key) const
{
    return m_buttons.value(key);
}

QString MainToolbar::command(const QString &key)
{
    for (const ToolbarEntry &entry : toolbarButtons()) {
        if (entry.key && key == QLatin1String(entry.key))
            return QString::fromLatin1(entry.command);
    }
    return {};
}
