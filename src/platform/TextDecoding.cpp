// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextDecoding.h"

#include <QHash>
#include <QStringDecoder>

#include <array>

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; its five unassigned bytes there keep
// their C1 control characters, so every byte maps and maps back.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = (value >= 0x80 && value < 0xA0) ? QChar(cp1252High[value - 0x80]) : QChar(value);
    }
    return text;
}

// False when a character has no Windows-1252 byte.
bool encodeWindows1252(const QString &text, QByteArray &bytes)
{
    static const QHash<char16_t, char> high = [] {
        QHash<char16_t, char> map;
        for (int i = 0; i < 32; ++i)
            map.insert(cp1252High[static_cast<std::size_t>(i)], static_cast<char>(0x80 + i));
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

TextFormat::LineBreaks lineBreaksOf(const QString &text)
{
    bool crLf = false;
    bool other = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n') {
                crLf = true;
                ++i;
            } else {
                other = true; // a lone CR
            }
        } else if (c == u'\n') {
            other = true;
        }
    }
    if (crLf && other)
        return TextFormat::LineBreaks::Mixed;
    if (other) {
        return text.contains(u'\r') ? TextFormat::LineBreaks::Mixed : TextFormat::LineBreaks::Lf;
    }
    return TextFormat::LineBreaks::CrLf;
}

} // namespace

DecodedText decodeDocument(const QByteArray &bytes)
{
    DecodedText result;
    if (bytes.contains('\0')) {
        result.error = QStringLiteral("the file holds binary data (NUL bytes), not text");
        return result;
    }
    QByteArray body = bytes;
    if (body.startsWith(utf8Bom)) {
        result.format.byteOrderMark = true;
        body.remove(0, utf8Bom.size());
    }
    // The decoder would silently drop a second BOM; it is text and must survive a save.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(body);
    if (utf8.hasError()) {
        // Not UTF-8: every byte is one Windows-1252 character. The BOM test cannot have matched.
        text = decodeWindows1252(bytes);
        result.format.encoding = TextFormat::Encoding::Windows1252;
        result.format.byteOrderMark = false;
    }
    result.format.lineBreaks = lineBreaksOf(text);
    if (result.format.lineBreaks == TextFormat::LineBreaks::Lf)
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    result.ok = true;
    result.text = std::move(text);
    return result;
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
    result.ok = encodeWindows1252(body, result.bytes);
    return result;
}
