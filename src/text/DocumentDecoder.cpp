// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/DocumentDecoder.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<char16_t, 32> cp1252High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::uint64_t ones = 0x0101010101010101ULL;
constexpr std::uint64_t highBits = 0x8080808080808080ULL;

constexpr std::uint64_t zeroByteIn(std::uint64_t word)
{
    return (word - ones) & ~word & highBits;
}

// Eight bytes that are ASCII and none of NUL, CR and LF need no look one by one.
bool plainAscii(const char *bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return ((word & highBits) | zeroByteIn(word) | zeroByteIn(word ^ (ones * '\n')) | zeroByteIn(word ^ (ones * '\r'))) == 0;
}

bool plainAscii(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value != 0 && value < 0x80 && value != '\n' && value != '\r';
}

int toUtf8(char32_t code, char *out)
{
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code >> 6));
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (code >> 12));
        out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (code >> 18));
    out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

QString nulBytesError()
{
    return QStringLiteral("the file holds binary data (NUL bytes), not text; nor is it recognisable "
                          "as UTF-16 text, which would need a byte-order mark");
}

} // namespace

char16_t DocumentDecoder::windows1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? cp1252High[byte - 0x80] : byte;
}

void DocumentDecoder::startPass()
{
    m_pass = Pass();
    m_format = TextFormat();
    switch (m_reading) {
    case Reading::Auto:
        break;
    case Reading::Windows1252:
        m_pass.mode = Mode::Windows1252;
        m_format.encoding = TextFormat::Encoding::Windows1252;
        break;
    case Reading::CountZeros:
        m_pass.mode = Mode::CountZeros;
        break;
    case Reading::Utf16Le:
    case Reading::Utf16Be:
        m_pass.mode = Mode::Utf16;
        m_pass.bigEndian = m_reading == Reading::Utf16Be;
        m_format.encoding = m_pass.bigEndian ? TextFormat::Encoding::Utf16Be : TextFormat::Encoding::Utf16Le;
        break;
    }
}

DocumentDecoder::Status DocumentDecoder::restart(Reading next)
{
    Q_ASSERT(next > m_reading);
    // CR and LF are the same bytes in UTF-8 and Windows-1252, so what a UTF-8 reading learnt of
    // them holds for the other; not for the units of UTF-16.
    if (next != Reading::Windows1252 || m_pass.mode != Mode::Utf8)
        m_convertLf = true;
    m_reading = next;
    startPass();
    return Status::Restart;
}

DocumentDecoder::Status DocumentDecoder::restartWithoutConversion()
{
    Q_ASSERT(m_convertLf);
    m_convertLf = false;
    startPass();
    return Status::Restart;
}

DocumentDecoder::Status DocumentDecoder::fail(const QString &error)
{
    m_failed = true;
    m_error = error;
    m_format = TextFormat();
    return Status::Failed;
}

DocumentDecoder::Status DocumentDecoder::feed(QByteArrayView bytes, QByteArray &out)
{
    if (m_failed)
        return Status::Failed;
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    if (m_pass.mode == Mode::Undecided) {
        while (m_pass.headSize < 4 && p < end)
            m_pass.head[m_pass.headSize++] = *p++;
        if (m_pass.headSize < 4)
            return Status::Going;
        const Status status = settleHead(out);
        if (status != Status::Going)
            return status;
    }
    switch (m_pass.mode) {
    case Mode::Utf8:
    case Mode::Windows1252:
        return feedEightBit(p, end, out);
    case Mode::Utf16:
        return feedUtf16(p, end, out);
    case Mode::CountZeros:
        countZeros(p, end);
        return Status::Going;
    case Mode::Undecided:
        break;
    }
    Q_UNREACHABLE();
}

// The first bytes tell UTF-32, UTF-16 and UTF-8 byte-order marks apart; the bytes after a BOM
// are then read as the rest of the file.
DocumentDecoder::Status DocumentDecoder::settleHead(QByteArray &out)
{
    const QByteArrayView head(m_pass.head, m_pass.headSize);
    if (head.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)) || head.startsWith(QByteArrayView("\0\0\xFE\xFF", 4)))
        return fail(QStringLiteral("the file is UTF-32 text, which the editor cannot open"));
    qsizetype skip = 0;
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) {
        m_pass.mode = Mode::Utf16;
        m_pass.bigEndian = head.startsWith("\xFE\xFF");
        m_pass.unitAt = 2;
        m_format.encoding = m_pass.bigEndian ? TextFormat::Encoding::Utf16Be : TextFormat::Encoding::Utf16Le;
        skip = 2;
    } else {
        m_pass.mode = Mode::Utf8;
        if (head.startsWith("\xEF\xBB\xBF"))
            skip = 3;
    }
    m_format.byteOrderMark = skip > 0;
    const char *rest = head.data() + skip;
    if (m_pass.mode == Mode::Utf16) {
        m_pass.size = skip;
        return feedUtf16(rest, head.end(), out);
    }
    return feedEightBit(rest, head.end(), out);
}

DocumentDecoder::LineStep DocumentDecoder::lineStep(char32_t code)
{
    if (code == U'\n') {
        if (m_pass.pendingCr) {
            m_pass.pendingCr = false;
            return LineStep::Keep;
        }
        m_pass.otherBreak = true;
        if (!m_convertLf || m_pass.anyCr)
            return LineStep::Keep;
        m_pass.lfConverted = true;
        return LineStep::AddCr;
    }
    if (m_pass.pendingCr)
        m_pass.otherBreak = true; // a lone CR
    m_pass.pendingCr = code == U'\r';
    if (code == U'\r' && !m_pass.anyCr) {
        m_pass.anyCr = true;
        // LF was given out as CR LF, which this file's text does not allow: it mixes styles.
        if (m_pass.lfConverted)
            return LineStep::Mixed;
    }
    return LineStep::Keep;
}

// UTF-8, and Windows-1252 once the bytes proved not to be UTF-8. Runs of valid bytes are given
// out as they are.
DocumentDecoder::Status DocumentDecoder::feedEightBit(const char *p, const char *end, QByteArray &out)
{
    Pass &pass = m_pass;
    const bool utf8 = pass.mode == Mode::Utf8;
    const char *const start = p;
    const char *run = p;            // given out up to here
    const char *sequence = nullptr; // where a UTF-8 sequence began in this piece
    const auto giveOut = [&](const char *to) {
        out.append(run, to - run);
        run = to;
    };
    while (p < end) {
        if (pass.need > 0) {
            const auto byte = static_cast<unsigned char>(*p);
            if (byte < pass.lower || byte > pass.upper)
                return restart(Reading::Windows1252);
            pass.lower = 0x80;
            pass.upper = 0xBF;
            pass.code = (pass.code << 6) | (byte & 0x3F);
            ++p;
            if (--pass.need > 0)
                continue;
            if (pass.carrySize > 0) {
                // The piece began with this sequence's last bytes: it is given out whole.
                out.append(pass.carry, pass.carrySize);
                out.append(start, p - start);
                run = p;
            }
            pass.carrySize = 0;
            sequence = nullptr;
            continue;
        }
        if (!pass.pendingCr) {
            while (end - p >= 8 && plainAscii(p))
                p += 8;
            while (p < end && plainAscii(*p))
                ++p;
            if (p == end)
                break;
        }
        const auto byte = static_cast<unsigned char>(*p);
        if (byte == 0)
            return restart(Reading::CountZeros);
        if (byte < 0x80) {
            const LineStep step = lineStep(byte);
            if (step == LineStep::Mixed)
                return restartWithoutConversion();
            if (step == LineStep::AddCr) {
                giveOut(p);
                out.append('\r');
            }
            ++p;
            continue;
        }
        if (pass.pendingCr) {
            pass.pendingCr = false;
            pass.otherBreak = true; // a lone CR
        }
        if (!utf8) {
            giveOut(p);
            char bytes[3];
            out.append(bytes, toUtf8(windows1252(byte), bytes));
            run = ++p;
            continue;
        }
        sequence = p;
        ++p;
        if (byte >= 0xC2 && byte <= 0xDF) {
            pass.need = 1;
            pass.code = byte & 0x1F;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            // No overlong forms (E0) and no surrogates (ED).
            pass.need = 2;
            pass.code = byte & 0x0F;
            pass.lower = byte == 0xE0 ? 0xA0 : 0x80;
            pass.upper = byte == 0xED ? 0x9F : 0xBF;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            // No overlong forms (F0) and nothing beyond U+10FFFF (F4).
            pass.need = 3;
            pass.code = byte & 0x07;
            pass.lower = byte == 0xF0 ? 0x90 : 0x80;
            pass.upper = byte == 0xF4 ? 0x8F : 0xBF;
        } else {
            return restart(Reading::Windows1252);
        }
    }
    if (pass.need > 0) {
        // The sequence is given out whole once its last byte comes.
        const char *from = sequence ? sequence : start;
        giveOut(from);
        std::memcpy(pass.carry + pass.carrySize, from, static_cast<std::size_t>(end - from));
        pass.carrySize += static_cast<int>(end - from);
        return Status::Going;
    }
    giveOut(end);
    return Status::Going;
}

void DocumentDecoder::countZeros(const char *p, const char *end)
{
    for (; p < end; ++p) {
        m_pass.zeros[m_pass.size & 1] += *p == '\0' ? 1 : 0;
        ++m_pass.size;
    }
}

DocumentDecoder::Status DocumentDecoder::feedUtf16(const char *p, const char *end, QByteArray &out)
{
    Pass &pass = m_pass;
    if (!pass.sawNul && std::memchr(p, 0, static_cast<std::size_t>(end - p)) != nullptr)
        pass.sawNul = true;
    pass.size += end - p;
    // After a UTF-16 error only the length and NUL bytes still count.
    if (pass.utf16Error != Utf16Error::None)
        return Status::Going;
    for (; p < end; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (!pass.haveByte) {
            pass.haveByte = true;
            pass.byte = byte;
            continue;
        }
        pass.haveByte = false;
        const char16_t value = pass.bigEndian ? char16_t((pass.byte << 8) | byte) : char16_t((byte << 8) | pass.byte);
        const Status status = unit(value, out);
        if (status != Status::Going)
            return status;
        if (pass.utf16Error != Utf16Error::None)
            return Status::Going;
    }
    return Status::Going;
}

DocumentDecoder::Status DocumentDecoder::unit(char16_t value, QByteArray &out)
{
    Pass &pass = m_pass;
    const qint64 at = pass.unitAt;
    pass.unitAt += 2;
    if (pass.high != 0) {
        const char16_t high = pass.high;
        pass.high = 0;
        if (QChar::isLowSurrogate(value))
            return character(QChar::surrogateToUcs4(high, value), out);
        pass.utf16Error = Utf16Error::LoneSurrogate;
        pass.utf16ErrorAt = pass.highAt;
        return Status::Going;
    }
    if (value == 0) {
        pass.utf16Error = Utf16Error::NulCharacter;
        return Status::Going;
    }
    if (QChar::isHighSurrogate(value)) {
        pass.high = value;
        pass.highAt = at;
        return Status::Going;
    }
    if (QChar::isLowSurrogate(value)) {
        pass.utf16Error = Utf16Error::LoneSurrogate;
        pass.utf16ErrorAt = at;
        return Status::Going;
    }
    return character(value, out);
}

DocumentDecoder::Status DocumentDecoder::character(char32_t code, QByteArray &out)
{
    const LineStep step = lineStep(code);
    if (step == LineStep::Mixed)
        return restartWithoutConversion();
    char bytes[5];
    int size = 0;
    if (step == LineStep::AddCr)
        bytes[size++] = '\r';
    size += toUtf8(code, bytes + size);
    out.append(bytes, size);
    return Status::Going;
}

DocumentDecoder::Status DocumentDecoder::finish(QByteArray &out)
{
    if (m_failed)
        return Status::Failed;
    if (m_pass.mode == Mode::Undecided) {
        const Status status = settleHead(out);
        if (status != Status::Going)
            return status;
    }
    switch (m_pass.mode) {
    case Mode::Utf8:
        // A sequence cut short by the end of the file.
        if (m_pass.need > 0)
            return restart(Reading::Windows1252);
        return settleText();
    case Mode::Windows1252:
        return settleText();
    case Mode::Utf16:
        return finishUtf16();
    case Mode::CountZeros: {
        // Text in UTF-16 without a BOM, mostly ASCII as HTML is, has a zero byte beside most
        // characters and on the same side (eight times as many as on the other); binary data
        // does not.
        const qint64 size = m_pass.size;
        if (size < 2 || size % 2 != 0)
            return fail(nulBytesError());
        const qint64 units = size / 2;
        const qint64 zeroEven = m_pass.zeros[0];
        const qint64 zeroOdd = m_pass.zeros[1];
        if (2 * zeroOdd > units && 8 * zeroEven <= zeroOdd)
            return restart(Reading::Utf16Le);
        if (2 * zeroEven > units && 8 * zeroOdd <= zeroEven)
            return restart(Reading::Utf16Be);
        return fail(nulBytesError());
    }
    case Mode::Undecided:
        break;
    }
    Q_UNREACHABLE();
}

DocumentDecoder::Status DocumentDecoder::finishUtf16()
{
    Pass &pass = m_pass;
    const bool odd = pass.size % 2 != 0;
    if (pass.utf16Error == Utf16Error::None && pass.high != 0) {
        pass.utf16Error = Utf16Error::LoneSurrogate;
        pass.utf16ErrorAt = pass.highAt;
    }
    // Bytes without a NUL that only look like UTF-16 by their first two bytes are read as
    // Windows-1252 would read them: a BOM's bytes are never UTF-8.
    if ((odd || pass.utf16Error != Utf16Error::None) && !pass.sawNul && m_reading == Reading::Auto)
        return restart(Reading::Windows1252);
    if (odd)
        return fail(QStringLiteral("the file is damaged UTF-16 text: its length is an odd number of bytes"));
    if (pass.utf16Error == Utf16Error::NulCharacter)
        return fail(QStringLiteral("the file holds binary data (a NUL character), not text"));
    if (pass.utf16Error == Utf16Error::LoneSurrogate) {
        // The editor cannot hold half a character: a lone surrogate would be lost on saving.
        return fail(QStringLiteral("the file is damaged UTF-16 text: half a character (a lone surrogate) at byte %1")
                        .arg(pass.utf16ErrorAt));
    }
    return settleText();
}

DocumentDecoder::Status DocumentDecoder::settleText()
{
    Pass &pass = m_pass;
    if (pass.pendingCr)
        pass.otherBreak = true;
    if (!pass.otherBreak)
        m_format.lineBreaks = TextFormat::LineBreaks::CrLf;
    else if (pass.anyCr || !m_convertLf)
        // LF breaks left unconverted (the file changed after a pass found a CR) are kept as read.
        m_format.lineBreaks = TextFormat::LineBreaks::Mixed;
    else
        m_format.lineBreaks = TextFormat::LineBreaks::Lf;
    return Status::Going;
}
