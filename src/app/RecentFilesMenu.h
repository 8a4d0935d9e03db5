// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class HostServices;
class QAction;
class QMenu;

// The recent files in the File menu, above Exit, as the settings hold them ("&1 name" ...). A
// chosen file that no longer exists is taken off the list with a message; any other is asked for.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    // exit is file's Exit command, above which the list stands.
    RecentFilesMenu(QMenu &file, QAction &exit, HostServices &host, QObject *parent);

    // Shows the list as the settings hold it now.
    void update();
    // The item named mnuRecent<n>, or null.
    QAction *item(const QString &name) const;

signals:
    void openRequested(const QString &path);

private:
    void choose(const QString &path);

    QMenu &m_file;
    QAction &m_exit;
    HostServices &m_host;
    QList<QAction *> m_items; // the items and their separator
};
