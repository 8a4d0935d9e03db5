// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QFile;
class QObject;

// A local file a preview page asked for, opened to be served by PreviewProxy. Paths come from
// pages, so every path is hostile: only a regular file is opened (it is looked at before it is
// opened and again once open, and opened without waiting, so a pipe or a device never holds up
// the window and opening a device has no effects), of at most maxBytes.
class LocalFile
{
public:
    static constexpr qint64 maxBytes = qint64(1) << 30;

    // The regular file at path, open for reading and owned by parent; null for anything else.
    static QFile *open(const QByteArray &path, QObject *parent);
    // The content type to serve file, the one at path, with.
    static QByteArray contentType(QFile &file, const QByteArray &path);
};
