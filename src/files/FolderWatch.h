// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// Tells when the entries of one folder change: one made, deleted, renamed or given other
// attributes, or the folder itself deleted or moved. The folder is named by the bytes of its
// path (FileIo's names), so a folder whose name is not UTF-8 is watched too, which
// QFileSystemWatcher's QString paths cannot name.
class FolderWatch : public QObject
{
    Q_OBJECT

public:
    explicit FolderWatch(QObject *parent = nullptr);
    ~FolderWatch() override;
    FolderWatch(const FolderWatch &) = delete;
    FolderWatch &operator=(const FolderWatch &) = delete;

    // Watches folder instead of the folder watched before. False when it cannot be watched (no
    // folder, no permission, the system's limit of watches reached): then none is.
    bool watch(const QString &folder);

signals:
    // Once for all the changes the system has reported so far.
    void changed();

private:
    void stop();
    void readEvents();

    int m_fd = -1;
    int m_watch = -1;
    QSocketNotifier *m_notifier = nullptr;
};
