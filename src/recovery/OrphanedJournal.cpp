// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/OrphanedJournal.h"

#include "recovery/RecoveryJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

OrphanedJournal::OrphanedJournal(QString path, InstanceLock lock)
    : m_path(std::move(path))
    , m_lock(std::move(lock))
{
}

std::vector<OrphanedJournal> OrphanedJournal::claim(const QString &folder)
{
    const QDir dir(folder);
    const QString pattern = QStringLiteral("*") + RecoveryJournal::suffix();
    // Locks without a journal: instances that ended before they had anything to keep.
    const QString lockPattern = RecoveryJournal::lockPath(pattern);
    for (const QFileInfo &lock : dir.entryInfoList({lockPattern}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QString journal = lock.absoluteFilePath().chopped(lockPattern.size() - pattern.size());
        InstanceLock taken;
        if (!QFileInfo::exists(journal) && taken.tryLock(lock.absoluteFilePath()))
            QFile::remove(journal + QStringLiteral(".tmp"));
    }
    std::vector<std::pair<QDateTime, OrphanedJournal>> found;
    for (const QFileInfo &journal : dir.entryInfoList({pattern}, QDir::Files | QDir::Hidden)) {
        InstanceLock lock;
        if (lock.tryLock(RecoveryJournal::lockPath(journal.absoluteFilePath())))
            found.emplace_back(journal.lastModified(), OrphanedJournal(journal.absoluteFilePath(), std::move(lock)));
    }
    std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    std::vector<OrphanedJournal> journals;
    for (auto &entry : found)
        journals.push_back(std::move(entry.second));
    return journals;
}

std::optional<JournalRecord> OrphanedJournal::read(QString *error) const
{
    // Only a regular file of the user's own: the folder is private, but a link planted there
    // would still be followed by an ordinary open.
    struct stat status {
    };
    const QByteArray native = QFile::encodeName(m_path);
    if (::lstat(native.constData(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        if (error)
            *error = QStringLiteral("it is not a file of the user's own");
        return std::nullopt;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    std::optional<JournalRecord> record = JournalRecord::readFrom(file, error);
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return record;
}

void OrphanedJournal::discard()
{
    QFile::remove(m_path);
    QFile::remove(m_path + QStringLiteral(".tmp"));
    m_lock.unlock();
}

QString OrphanedJournal::setAside()
{
    const QString aside = m_path + QStringLiteral(".damaged");
    if (!QFile::rename(m_path, aside))
        return {};
    m_lock.unlock();
    return aside;
}
