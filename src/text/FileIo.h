// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/ByteSource.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The real file operations behind HostServices, shared by every implementation of it.
//
// Paths are QStrings in which each byte of a name that is not UTF-8 stands as one of U+DC80 to
// U+DCFF, so that every name the system holds can be shown, opened and written again; the
// functions here reach files through POSIX calls on the bytes, never through QFile's own lossy
// name decoding.
namespace FileIo {

QByteArray encodeName(const QString &path);
QString decodeName(const QByteArray &name);
// A raw command-line argument as an absolute path, relative ones taken from the current folder.
QString pathFromArgument(const char *argument);
// The path for people to read: a byte that is not UTF-8 shows as U+FFFD.
QString displayName(const QString &path);

// True when path names a folder, after following links.
bool isFolder(const QString &path);

struct FolderEntry {
    QString name;
    bool folder = false; // after following a link
};
// The entries of folder except "." and ".." and hidden ones, sorted by name in any letter case;
// empty when it cannot be listed.
QList<FolderEntry> listFolder(const QString &folder);

// The reason for a failed system call, in the words a user understands.
QString reasonFor(int error);

// Opens path for reading when it is a regular file, following links, without ever waiting on a
// pipe or opening a device: the descriptor, and the file's size in size; -1, with error set for
// the user, when it cannot.
int openRegularFile(const QString &path, qint64 &size, QString &error);

// See HostServices::writeFileAtomic.
QString writeFileAtomic(const QString &path, const ByteSource &bytes, bool mustExist);
QString writeFileFresh(const QString &path, const ByteSource &bytes);
inline QString writeFileAtomic(const QString &path, const QByteArray &bytes, bool mustExist)
{
    return writeFileAtomic(path, ByteSource::whole(bytes), mustExist);
}
bool deleteFile(const QString &path);
// The private per-user temp folder under base (the platform's temp location when empty).
QString privateTempFolder(QString *error, const QString &base = {});

} // namespace FileIo
