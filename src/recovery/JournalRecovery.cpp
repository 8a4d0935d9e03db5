// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/JournalRecovery.h"

#include "text/FileIo.h"
#include "host/HostServices.h"
#include "recovery/JournalFolder.h"
#include "recovery/OrphanedJournal.h"

#include <QFileInfo>
#include <QLocale>

namespace JournalRecovery {

QString question(const JournalRecord &record)
{
    const QString when = QLocale::system().toString(record.written.toLocalTime(), QLocale::ShortFormat);
    const QString what = record.hasFile
                             ? QStringLiteral("the changes to \"%1\" (%2)")
                                   .arg(FileIo::displayName(QFileInfo(record.path).fileName()), FileIo::displayName(record.path))
                             : QStringLiteral("an untitled document");
    return QStringLiteral("Zorvane ended without saving %1, last kept on %2.\r\nRecover the unsaved text?").arg(what, when);
}

bool offer(HostServices &host, const Restore &restore, const QString &folder)
{
    const QString place = folder.isEmpty() ? JournalFolder::path() : JournalFolder::prepare(folder);
    if (place.isEmpty())
        return false;
    std::vector<OrphanedJournal> journals = OrphanedJournal::claim(place);
    for (OrphanedJournal &journal : journals) {
        QString error;
        const std::optional<JournalRecord> record = journal.read(&error);
        if (!record) {
            const QString aside = journal.setAside();
            host.MsgBox(QStringLiteral("The unsaved text kept in %1 cannot be recovered: %2.\r\n%3")
                            .arg(journal.path(), error,
                                 aside.isEmpty() ? QStringLiteral("It is left where it is.")
                                                 : QStringLiteral("It is kept as %1.").arg(aside)),
                        HostServices::OkOnly | HostServices::Exclamation);
            continue;
        }
        if (host.MsgBox(question(*record), HostServices::YesNo | HostServices::Exclamation, QStringLiteral("Prompt")) !=
            HostServices::Yes) {
            journal.discard();
            continue;
        }
        // Kept again by this instance, the old journal may go; otherwise it stays for next time.
        if (restore(*record))
            journal.discard();
        return true;
    }
    return false;
}

} // namespace JournalRecovery
