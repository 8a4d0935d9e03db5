// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/RecoveryJournal.h"

#include "recovery/JournalFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Writes content to a new file at path (mode 0600, never through a link) and syncs it.
QString writeNew(const QByteArray &path, const RecoveryJournal::Content &content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return lastError();
    QFile file;
    // A large document goes to the disk as it is encoded, never as a second copy in memory.
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle) || !content(file) || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        ::close(fd);
        return reason;
    }
    file.close();
    if (::fsync(fd) != 0) {
        const QString reason = lastError();
        ::close(fd);
        return reason;
    }
    return ::close(fd) == 0 ? QString() : lastError();
}

} // namespace

RecoveryJournal::RecoveryJournal(QString folder)
    : m_folder(std::move(folder))
{
}

RecoveryJournal::~RecoveryJournal() = default;

QString RecoveryJournal::reserve()
{
    QString error;
    const QString folder = m_folder.isEmpty() ? JournalFolder::path(&error) : JournalFolder::prepare(m_folder, &error);
    if (folder.isEmpty())
        return error;
    if (m_lock.isLocked())
        return {};
    const QString name =
        QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QUuid::createUuid().toString(QUuid::Id128));
    const QString file = QDir(folder).filePath(name + suffix());
    if (!m_lock.tryLock(lockPath(file)))
        return QStringLiteral("cannot lock %1").arg(file);
    m_file = file;
    return {};
}

QString RecoveryJournal::write(const JournalRecord &record)
{
    // The folder is checked again before every write: it may have been replaced meanwhile.
    if (const QString error = reserve(); !error.isEmpty())
        return error;
    return writeFile(m_file, [&record](QIODevice &device) { return record.writeTo(device); });
}

QString RecoveryJournal::writeFile(const QString &file, const Content &content)
{
    const QByteArray target = QFile::encodeName(file);
    const QByteArray temporary = target + ".tmp";
    ::unlink(temporary.constData());
    QString reason = writeNew(temporary, content);
    if (reason.isEmpty() && ::rename(temporary.constData(), target.constData()) != 0)
        reason = lastError();
    if (!reason.isEmpty()) {
        ::unlink(temporary.constData());
        return QStringLiteral("cannot write %1: %2").arg(file, reason);
    }
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

void RecoveryJournal::remove()
{
    if (!m_file.isEmpty())
        ::unlink(QFile::encodeName(m_file).constData());
}
