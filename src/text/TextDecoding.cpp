// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TextDecoding.h"

#include "text/DocumentDecoder.h"

#include <QHash>
#include <QStringDecoder>

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");
const QByteArray utf16LeBom("\xFF\xFE", 2);
const QByteArray utf16BeBom("\xFE\xFF", 2);

// False when a character has no Windows-1252 byte.
bool encodeWindows1252(const QString &text, QByteArray &bytes)
{
    static const QHash<char16_t, char> high = [] {
        QHash<char16_t, char> map;
        for (int byte = 0x80; byte < 0xA0; ++byte)
            map.insert(DocumentDecoder::windows1252(static_cast<unsigned char>(byte)), static_cast<char>(byte));
        return map;
    }();
    bytes.resize(text.size());
    char *out = bytes.data();
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            *out++ = static_cast<char>(unit);
            continue;
        }
        const auto found = high.constFind(unit);
        if (found == high.constEnd())
            return false;
        *out++ = *found;
    }
    return true;
}

QByteArray encodeUtf16(const QString &text, bool bigEndian)
{
    QByteArray bytes(2 * text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        *out++ = bigEndian ? high : low;
        *out++ = bigEndian ? low : high;
    }
    return bytes;
}

} // namespace

DecodedText decodeDocument(const QByteArray &bytes)
{
    DocumentDecoder decoder;
    QByteArray utf8;
    DocumentDecoder::Status status = DocumentDecoder::Status::Restart;
    while (status == DocumentDecoder::Status::Restart) {
        utf8.clear();
        status = decoder.feed(bytes, utf8);
        if (status == DocumentDecoder::Status::Going)
            status = decoder.finish(utf8);
    }
    DecodedText result;
    if (status == DocumentDecoder::Status::Failed) {
        result.error = decoder.error();
        return result;
    }
    result.ok = true;
    result.text = textFromUtf8(utf8);
    result.format = decoder.format();
    return result;
}

QString textFromUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(bytes);
}

EncodedText encodeDocument(const QString &text, const TextFormat &format)
{
    QString body = text;
    if (format.lineBreaks == TextFormat::LineBreaks::Lf)
        body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EncodedText result;
    if (format.encoding == TextFormat::Encoding::Utf8) {
        result.bytes = (format.byteOrderMark ? utf8Bom : QByteArray()) + body.toUtf8();
        result.ok = true;
        return result;
    }
    if (format.encoding == TextFormat::Encoding::Windows1252) {
        result.ok = encodeWindows1252(body, result.bytes);
        return result;
    }
    const bool bigEndian = format.encoding == TextFormat::Encoding::Utf16Be;
    result.bytes = format.byteOrderMark ? (bigEndian ? utf16BeBom : utf16LeBom) : QByteArray();
    result.bytes += encodeUtf16(body, bigEndian);
    result.ok = true;
    return result;
}
