// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextDecoding.h"

#include <QHash>
#include <QStringDecoder>

#include <array>
#include <optional>

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");
const QByteArray utf16LeBom("\xFF\xFE", 2);
const QByteArray utf16BeBom("\xFE\xFF", 2);
const QByteArray utf32LeBom("\xFF\xFE\0\0", 4);
const QByteArray utf32BeBom("\0\0\xFE\xFF", 4);

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

// UTF-16 code units, unit for unit, so that the text writes back to the same bytes. Empty, with
// error set, for bytes that are no UTF-16 text.
QString decodeUtf16(const QByteArray &bytes, qsizetype start, bool bigEndian, QString &error)
{
    const char *data = bytes.constData() + start;
    const qsizetype size = bytes.size() - start;
    if (size % 2 != 0) {
        error = QStringLiteral("the file is damaged UTF-16 text: its length is an odd number of bytes");
        return {};
    }
    QString text(size / 2, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < size; i += 2) {
        const auto first = static_cast<unsigned char>(data[i]);
        const auto second = static_cast<unsigned char>(data[i + 1]);
        out[i / 2] = QChar(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isNull()) {
            error = QStringLiteral("the file holds binary data (a NUL character), not text");
            return {};
        }
        // The editor cannot hold half a character: a lone surrogate would be lost on saving.
        const bool paired = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (paired) {
            ++i;
        } else if (c.isSurrogate()) {
            error = QStringLiteral("the file is damaged UTF-16 text: half a character (a lone surrogate) at byte %1")
                        .arg(start + 2 * i);
            return {};
        }
    }
    return text;
}

// Text in UTF-16 without a BOM, mostly ASCII as HTML is, has a zero byte beside most characters
// and on the same side (eight times as many as on the other); binary data does not. The
// decoding then has to succeed as well.
std::optional<bool> plainUtf16BigEndian(const QByteArray &bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return std::nullopt;
    qsizetype zeroEven = 0;
    qsizetype zeroOdd = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        zeroEven += bytes.at(i) == '\0' ? 1 : 0;
        zeroOdd += bytes.at(i + 1) == '\0' ? 1 : 0;
    }
    const qsizetype units = bytes.size() / 2;
    if (2 * zeroOdd > units && 8 * zeroEven <= zeroOdd)
        return false;
    if (2 * zeroEven > units && 8 * zeroOdd <= zeroEven)
        return true;
    return std::nullopt;
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

// Decodes bytes that hold a UTF-16 BOM or are plainly UTF-16; false when they are neither.
bool decodeAsUtf16(const QByteArray &bytes, DecodedText &result)
{
    std::optional<bool> bigEndian;
    qsizetype start = 0;
    if (bytes.startsWith(utf16LeBom) || bytes.startsWith(utf16BeBom)) {
        bigEndian = bytes.startsWith(utf16BeBom);
        start = 2;
        result.format.byteOrderMark = true;
    } else if (bytes.contains('\0')) {
        bigEndian = plainUtf16BigEndian(bytes);
    }
    if (!bigEndian)
        return false;
    result.format.encoding = *bigEndian ? TextFormat::Encoding::Utf16Be : TextFormat::Encoding::Utf16Le;
    result.text = decodeUtf16(bytes, start, *bigEndian, result.error);
    result.ok = result.error.isEmpty();
    return true;
}

} // namespace

namespace {

DecodedText decodeText(const QByteArray &bytes)
{
    DecodedText result;
    if (bytes.startsWith(utf32LeBom) || bytes.startsWith(utf32BeBom)) {
        result.error = QStringLiteral("the file is UTF-32 text, which the editor cannot open");
        return result;
    }
    // Bytes without a NUL that only look like UTF-16 by their first two bytes are read as
    // the other encodings would read them.
    if (decodeAsUtf16(bytes, result) && (result.ok || bytes.contains('\0'))) {
        if (!result.ok)
            return result;
        result.format.lineBreaks = lineBreaksOf(result.text);
        if (result.format.lineBreaks == TextFormat::LineBreaks::Lf)
            result.text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        return result;
    }
    if (bytes.contains('\0')) {
        result.error = QStringLiteral("the file holds binary data (NUL bytes), not text; nor is it recognisable "
                                      "as UTF-16 text, which would need a byte-order mark");
        return result;
    }
    result = DecodedText();
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

} // namespace

DecodedText decodeDocument(const QByteArray &bytes)
{
    DecodedText result = decodeText(bytes);
    if (!result.ok)
        return result;
    const qsizetype nonCharacter = nonCharacterAt(result.text);
    if (nonCharacter >= 0) {
        const QChar first = result.text.at(nonCharacter);
        const char32_t code = first.isHighSurrogate() ? QChar::surrogateToUcs4(first, result.text.at(nonCharacter + 1))
                                                      : first.unicode();
        result = DecodedText();
        result.error = QStringLiteral("the file holds binary data (the non-character U+%1), not text")
                           .arg(QString::number(static_cast<uint>(code), 16).toUpper());
    }
    return result;
}

qsizetype nonCharacterAt(QStringView text)
{
    const char16_t *units = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (units[i] >= 0xFDD0 && units[i] <= 0xFDEF)
            return i;
        // U+FFFE, U+FFFF and the low halves of the other planes' ones (0xDFFE, 0xDFFF) at once.
        if ((units[i] | 0x2001) != 0xFFFF)
            continue;
        if (units[i] >= 0xFFFE)
            return i;
        // Only a high half ending in six one bits makes a code point ending in FFFE or FFFF.
        if (i > 0 && QChar::isHighSurrogate(units[i - 1]) && (units[i - 1] & 0x3F) == 0x3F)
            return i - 1;
    }
    return -1;
}

QString withoutNonCharacters(const QString &text)
{
    qsizetype at = nonCharacterAt(text);
    if (at < 0)
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    while (at >= 0) {
        result += QStringView(text).sliced(from, at - from);
        result += QChar::ReplacementCharacter;
        from = at + (text.at(at).isHighSurrogate() ? 2 : 1);
        const qsizetype next = nonCharacterAt(QStringView(text).sliced(from));
        at = next < 0 ? -1 : from + next;
    }
    result += QStringView(text).sliced(from);
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
