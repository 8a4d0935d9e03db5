// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecentFiles.h"

#include "text/FileIo.h"

#include <QDir>
#include <QSettings>
#include <QVariantList>

#include <cerrno>
#include <sys/stat.h>

namespace RecentFiles {

namespace {

const QString key = QStringLiteral("recentFiles");

// Paths are kept as their names' bytes, which a settings file holds whatever they are.
void store(const QStringList &paths)
{
    QVariantList names;
    for (const QString &path : paths)
        names << FileIo::encodeName(path);
    QSettings().setValue(key, names);
}

} // namespace

QStringList list()
{
    // The settings file is the user's to edit: anything but absolute paths is dropped.
    QStringList paths;
    for (const QVariant &name : QSettings().value(key).toList()) {
        const QString path = FileIo::decodeName(name.toByteArray());
        if (QDir::isAbsolutePath(path) && !paths.contains(path) && paths.size() < Limit)
            paths << path;
    }
    return paths;
}

void add(const QString &path)
{
    QStringList paths = list();
    paths.removeAll(path);
    paths.prepend(path);
    store(paths.mid(0, Limit));
}

void remove(const QString &path)
{
    QStringList paths = list();
    paths.removeAll(path);
    store(paths);
}

bool isMissing(const QString &path)
{
    struct stat status {
    };
    return ::stat(FileIo::encodeName(path).constData(), &status) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

QString caption(int number, const QString &path)
{
    QString shown = FileIo::displayName(path);
    shown.replace(u'&', QStringLiteral("&&"));
    return u'&' + QString::number(number) + u' ' + shown;
}

} // namespace RecentFiles
