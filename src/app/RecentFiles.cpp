// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecentFiles.h"

#include <QDir>
#include <QSettings>

namespace RecentFiles {

namespace {

const QString key = QStringLiteral("recentFiles");

void store(const QStringList &paths)
{
    QSettings().setValue(key, paths);
}

} // namespace

QStringList list()
{
    // The settings file is the user's to edit: anything but absolute paths is dropped.
    QStringList paths;
    for (const QString &path : QSettings().value(key).toStringList()) {
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

QString caption(int number, const QString &path)
{
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(u'&', QStringLiteral("&&"));
    return u'&' + QString::number(number) + u' ' + shown;
}

} // namespace RecentFiles
