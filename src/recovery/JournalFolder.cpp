// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/JournalFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace JournalFolder {

QString path(QString *error)
{
    // The XDG rules: a relative XDG_STATE_HOME is ignored.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QFileInfo(base).isRelative())
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return prepare(base + QStringLiteral("/zorvane"), error);
}

QString prepare(const QString &folder, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return QString();
    };
    auto why = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
    const QString parent = QFileInfo(folder).absolutePath();
    if (!QDir().mkpath(parent))
        return fail(QStringLiteral("cannot create %1").arg(parent));
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return fail(QStringLiteral("cannot create %1: %2").arg(folder, why()));
    struct stat status {
    };
    if (::lstat(native.constData(), &status) != 0)
        return fail(QStringLiteral("cannot examine %1: %2").arg(folder, why()));
    // Another user's folder, or a link to one, would hand them the user's unsaved text.
    if (S_ISLNK(status.st_mode) || !S_ISDIR(status.st_mode))
        return fail(QStringLiteral("%1 is not a folder of its own").arg(folder));
    if (status.st_uid != ::geteuid())
        return fail(QStringLiteral("%1 belongs to another user").arg(folder));
    if ((status.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return fail(QStringLiteral("cannot make %1 private: %2").arg(folder, why()));
    return folder;
}

} // namespace JournalFolder
