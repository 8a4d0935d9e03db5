// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recovery/InstanceLock.h"
#include "recovery/JournalRecord.h"

#include <QString>

#include <optional>
#include <vector>

// A journal whose instance has ended without closing its document (killed, crashed, power
// lost), locked by this instance while it is offered, so no other instance offers it too.
class OrphanedJournal
{
public:
    OrphanedJournal(QString path, InstanceLock lock);
    // Destroyed, it releases the lock and keeps the journal for the next start.

    // The journals in folder whose instance has ended, newest first, each now locked by this
    // instance. Locks that ended instances left without a journal are cleared away.
    static std::vector<OrphanedJournal> claim(const QString &folder);

    QString path() const { return m_path; }

    // The journal's content; empty, with error set, when it cannot be read or is damaged.
    std::optional<JournalRecord> read(QString *error = nullptr) const;
    // Removes the journal, then its lock.
    void discard();
    // Renames a journal that cannot be read so it is no longer offered; returns its new path,
    // or an empty string when it could not be renamed.
    QString setAside();

private:
    QString m_path;
    InstanceLock m_lock;
};
