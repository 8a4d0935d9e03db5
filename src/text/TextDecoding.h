// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct DecodedText {
    bool ok = false;
    QString error; // why the bytes are no text, when not ok
    QString text;  // line breaks as CR LF unless the file mixes styles
    TextFormat format;
};

// Bytes are UTF-16 when they begin with its BOM, or hold no BOM but are plainly UTF-16 (ASCII
// text with a zero byte beside every character); UTF-8 when they are valid UTF-8; otherwise
// Windows-1252, where every byte stands for a character. A BOM is remembered and dropped. A file
// whose line breaks are all LF is given CR LF breaks, as the editor keeps them; a file that mixes
// styles is left as it is. Bytes holding a NUL character, and UTF-16 with an odd byte or a lone
// surrogate, are no text. The non-characters (U+FDD0 to U+FDEF, U+FFFE and U+FFFF of every
// plane) are characters like any other.
DecodedText decodeDocument(const QByteArray &bytes);

// UTF-8 as text, a U+FEFF at the start included: QString::fromUtf8 drops it, which would lose it
// from the document and shift every offset after it.
QString textFromUtf8(QByteArrayView bytes);

struct EncodedText {
    bool ok = false;
    QByteArray bytes;
};

// The inverse of decodeDocument for the format read. Not ok when the text holds a character the
// format's encoding cannot represent.
EncodedText encodeDocument(const QString &text, const TextFormat &format);
