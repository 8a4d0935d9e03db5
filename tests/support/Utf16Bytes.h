// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// text's UTF-16 code units as bytes, after a BOM when asked: how UTF-16 files are built for tests
// independently of the codec under test.
inline QByteArray utf16(const QString &text, bool bigEndian, bool bom)
{
    QByteArray bytes;
    for (const QChar c : (bom ? QStringLiteral("\ufeff") : QString()) + text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low);
        bytes.append(bigEndian ? low : high);
    }
    return bytes;
}
