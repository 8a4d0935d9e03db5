// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recovery/InstanceLock.h"
#include "recovery/JournalRecord.h"

#include <QString>

#include <functional>

class QIODevice;

// The journal of this running instance: one file in the journal folder, named after the process
// and a unique part, next to a lock file that tells other instances it is alive. Nobody else
// takes or writes it while the lock is held.
class RecoveryJournal
{
public:
    // folder: where the journal goes; empty for the per-user journal folder, found when first
    // written.
    explicit RecoveryJournal(QString folder = {});
    // Releases the lock. A journal still on disk stays, to be offered at the next start.
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal &) = delete;
    RecoveryJournal &operator=(const RecoveryJournal &) = delete;

    static QString suffix() { return QStringLiteral(".journal"); }
    // The lock that tells whether journal's instance still runs.
    static QString lockPath(const QString &journal) { return journal + QStringLiteral(".lock"); }

    // Replaces the journal atomically (temporary file, sync, rename), mode 0600. Returns the
    // reason of a failure, or an empty string.
    QString write(const JournalRecord &record);

    // The two steps of write, for a journal written on another thread. reserve checks the
    // folder (it may have been replaced since the last write) and takes the journal's file and
    // lock, on the journal's own thread; returns the reason of a failure. writeFile then
    // replaces file (filePath()) with what content writes, as write does, touching nothing of
    // the journal: content returning false leaves the journal as it was. Two writes of one
    // file must not overlap.
    using Content = std::function<bool(QIODevice &device)>;
    QString reserve();
    static QString writeFile(const QString &file, const Content &content);
    // Removes the journal; the lock stays, since the instance still runs.
    void remove();

    // The journal's path; empty until the first write reserved it.
    QString filePath() const { return m_file; }

private:
    QString m_folder;
    QString m_file;
    InstanceLock m_lock;
};
