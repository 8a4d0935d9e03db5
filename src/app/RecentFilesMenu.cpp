// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecentFilesMenu.h"

#include "app/RecentFiles.h"
#include "host/HostServices.h"
#include "text/FileIo.h"

#include <QAction>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(QMenu &file, QAction &exit, HostServices &host, QObject *parent)
    : QObject(parent)
    , m_file(file)
    , m_exit(exit)
    , m_host(host)
{
}

void RecentFilesMenu::update()
{
    for (QAction *item : std::as_const(m_items)) {
        m_file.removeAction(item);
        item->deleteLater();
    }
    m_items.clear();
    const QStringList paths = RecentFiles::list();
    if (paths.isEmpty())
        return;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        auto *item = new QAction(RecentFiles::caption(static_cast<int>(i) + 1, path), this);
        item->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { choose(path); });
        m_file.insertAction(&m_exit, item);
        m_items << item;
    }
    // The list stands in a group of its own, between Save As and Exit.
    m_items << m_file.insertSeparator(&m_exit);
}

QAction *RecentFilesMenu::item(const QString &name) const
{
    for (QAction *item : m_items) {
        if (!item->isSeparator() && item->objectName() == name)
            return item;
    }
    return nullptr;
}

void RecentFilesMenu::choose(const QString &path)
{
    if (RecentFiles::isMissing(path)) {
        RecentFiles::remove(path);
        update();
        m_host.MsgBox(
            QStringLiteral("%1 no longer exists; it is taken off the list of recent files.").arg(FileIo::displayName(path)),
            HostServices::OkOnly | HostServices::Exclamation);
        return;
    }
    emit openRequested(path);
}
