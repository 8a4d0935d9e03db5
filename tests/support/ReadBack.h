// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/FileReader.h"

#include <QByteArray>
#include <QString>

// A file's bytes read back through the program's own reader, so that names that are not UTF-8
// reach it too; empty when it cannot be read whole within the limit.
inline QByteArray readBack(const QString &path, qint64 sizeLimit = qint64(1) << 20)
{
    FileReader reader(path, sizeLimit);
    QByteArray bytes;
    for (;;) {
        char piece[4096];
        const qsizetype n = reader.read(piece, sizeof piece);
        if (n < 0)
            return {};
        if (n == 0)
            return bytes;
        bytes.append(piece, n);
    }
}
