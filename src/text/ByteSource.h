// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <functional>

// The bytes of a file being written, handed over a piece at a time, so that a large document is
// written without a whole copy of its bytes in memory.
struct ByteSource {
    // What the pieces hold in all, known before the first is written: an in-place rewrite
    // reserves the room first. A writer fails when the pieces hold more or less.
    qint64 size = 0;
    // Puts the next piece into piece, in place of what it held; false when there is none left.
    std::function<bool(QByteArray &piece)> next;

    // bytes as one piece.
    static ByteSource whole(const QByteArray &bytes)
    {
        return {bytes.size(), [bytes, given = false](QByteArray &piece) mutable {
                    if (given)
                        return false;
                    piece = bytes;
                    given = true;
                    return true;
                }};
    }
};
