// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <fcntl.h>
#include <unistd.h>

// A file's bytes read with plain open and read on its name's bytes, independent of the program's
// own reader and name codec, so a fault there cannot hide a fault in what wrote the file. Empty
// when the file cannot be opened.
inline QByteArray rawFileBytes(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray bytes;
    char piece[4096];
    for (ssize_t n; (n = ::read(fd, piece, sizeof piece)) > 0;)
        bytes.append(piece, n);
    ::close(fd);
    return bytes;
}
