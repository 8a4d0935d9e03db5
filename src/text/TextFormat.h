// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Document files up to Comfortable bytes open at once; larger ones only when the user agrees,
// and none beyond Maximum. Opening a document takes about MemoryPerByte bytes of memory per byte
// of its file (measured: 2.3, the editor's text, a style byte per character and its line index),
// so Comfortable costs about 800 MB; Maximum keeps every offset within the editor's 32-bit range
// even when each LF becomes CR LF.
namespace DocumentSize {
constexpr qint64 MemoryPerByte = 3;
constexpr qint64 Comfortable = qint64(256) << 20;
constexpr qint64 Maximum = qint64(1) << 30;
} // namespace DocumentSize

// How a document file's bytes stand for its text, remembered so that a file opened and saved
// without edits is written back byte for byte.
struct TextFormat {
    enum class Encoding { Utf8, Windows1252, Utf16Le, Utf16Be };
    enum class LineBreaks { CrLf, Lf, Mixed };

    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    LineBreaks lineBreaks = LineBreaks::CrLf;

    bool operator==(const TextFormat &) const = default;
};
