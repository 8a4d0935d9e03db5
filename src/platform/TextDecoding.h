// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// How a document file's bytes stand for its text, remembered so that a file opened and saved
// without edits is written back byte for byte.
struct TextFormat {
    enum class Encoding { Utf8, Windows1252 };
    enum class LineBreaks { CrLf, Lf, Mixed };

    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    LineBreaks lineBreaks = LineBreaks::CrLf;

    bool operator==(const TextFormat &) const = default;
};

struct DecodedText {
    bool ok = false;
    QString error; // why the bytes are no text, when not ok
    QString text;  // line breaks as CR LF unless the file mixes styles
    TextFormat format;
};

// Bytes are UTF-8 when they are valid UTF-8 (a BOM is remembered and dropped), otherwise
// Windows-1252, where every byte stands for a character. A file whose line breaks are all LF is
// given CR LF breaks, as the editor keeps them; a file that mixes styles is left as it is. Bytes
// holding a NUL are no text.
DecodedText decodeDocument(const QByteArray &bytes);

struct EncodedText {
    bool ok = false;
    QByteArray bytes;
};

// The inverse of decodeDocument for the format read. Not ok when the text holds a character the
// format's encoding cannot represent.
EncodedText encodeDocument(const QString &text, const TextFormat &format);
