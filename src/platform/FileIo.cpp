// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIo {

HostServices::ReadResult readFile(const QString &path)
{
    HostServices::ReadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = QStringLiteral("the file does not exist");
        return result;
    }
    if (info.isDir()) {
        result.error = QStringLiteral("it is a folder, not a file");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

QString writeFileAtomic(const QString &path, const QByteArray &bytes, bool mustExist)
{
    // Write through a symlink to the file it names, as editors do.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const QFileInfo targetInfo(target);
    if (mustExist && !targetInfo.exists())
        return QStringLiteral("File not found: %1").arg(target);
    if (targetInfo.exists() && !targetInfo.isWritable())
        return QStringLiteral("Permission denied: %1").arg(target);
    QSaveFile file(target);
    // The temporary file goes beside the target, so a locked folder fails here.
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2").arg(target, file.errorString());
    if (targetInfo.exists())
        file.setPermissions(targetInfo.permissions());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = QStringLiteral("Cannot write %1: %2").arg(target, file.errorString());
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return QStringLiteral("Cannot write %1: %2").arg(target, file.errorString());
    return {};
}

QString writeFileFresh(const QString &path, const QByteArray &bytes)
{
    const QByteArray native = QFile::encodeName(path);
    if (::unlink(native.constData()) != 0 && errno != ENOENT)
        return QString::fromLocal8Bit(std::strerror(errno));
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return reason;
        }
        written += n;
    }
    if (::close(fd) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

bool deleteFile(const QString &path)
{
    return ::unlink(QFile::encodeName(path).constData()) == 0;
}

QString privateTempFolder(QString *error, const QString &base)
{
    const QString root = base.isEmpty() ? QDir::tempPath() : base;
    const QString folder = QStringLiteral("%1/zorvane-%2").arg(root).arg(::getuid());
    const QByteArray native = QFile::encodeName(folder);
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return QString();
    };
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return fail(QStringLiteral("cannot create %1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0)
        return fail(QStringLiteral("cannot examine %1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
    if (S_ISLNK(status.st_mode) || !S_ISDIR(status.st_mode))
        return fail(QStringLiteral("%1 is not a folder of its own").arg(folder));
    if (status.st_uid != ::getuid())
        return fail(QStringLiteral("%1 belongs to another user").arg(folder));
    if ((status.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return fail(QStringLiteral("cannot make %1 private").arg(folder));
    return folder;
}

} // namespace FileIo
