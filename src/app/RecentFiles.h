// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The files last opened or saved, most recent first, at most eight, kept in the settings so that
// every run and every window sees the same list.
namespace RecentFiles {

constexpr int Limit = 8;

QStringList list();
// Puts path first, dropping an earlier place of the same path and what falls beyond the limit.
void add(const QString &path);
void remove(const QString &path);
// True when nothing is found at path any more (a dangling link included); a file that exists
// but cannot be read is not missing, its opening tells why.
bool isMissing(const QString &path);

// The menu caption of entry number (from 1): "&1 /path/file.html", the number the access key
// and every "&" of the path shown as itself; bytes of the name that are no UTF-8 show as U+FFFD.
QString caption(int number, const QString &path);

} // namespace RecentFiles
