// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/DocumentEncoder.h"

#include "text/DocumentDecoder.h"

#include <array>
#include <utility>

namespace {

// The Windows-1252 byte of each character from U+0080 up that has one, in a table indexed by
// the character's low byte for U+0080 to U+00FF and searched for the rest.
struct Windows1252Bytes {
    std::array<char16_t, 32> high{}; // the character of bytes 0x80 to 0x9F

    Windows1252Bytes()
    {
        for (int byte = 0x80; byte < 0xA0; ++byte)
            high[static_cast<size_t>(byte - 0x80)] = DocumentDecoder::windows1252(static_cast<unsigned char>(byte));
    }

    // False when unit has no byte.
    bool byteOf(char16_t unit, char &byte) const
    {
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            byte = static_cast<char>(unit);
            return true;
        }
        for (size_t i = 0; i < high.size(); ++i) {
            if (high[i] == unit) {
                byte = static_cast<char>(0x80 + i);
                return true;
            }
        }
        return false;
    }
};

// The length of a UTF-8 sequence by its first byte; 1 for a byte that starts none.
int sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF7)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    return lead >= 0xC0 ? 2 : 1;
}

} // namespace

DocumentEncoder::DocumentEncoder(const TextFormat &format)
    : m_format(format)
    // As the editor's text is read whole (textFromUtf8): a U+FEFF at a piece's start is text.
    , m_decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom)
    , m_utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless)
{
}

qsizetype DocumentEncoder::settledLength(QByteArrayView bytes)
{
    // A sequence is at most four bytes: only the last three can be the start of a cut one.
    for (qsizetype i = bytes.size() - 1; i >= 0 && i >= bytes.size() - 3; --i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if ((byte & 0xC0) == 0x80)
            continue;
        return bytes.size() - i < sequenceLength(byte) ? i : bytes.size();
    }
    return bytes.size();
}

void DocumentEncoder::decode(QByteArrayView bytes)
{
    m_text.resize(m_decoder.requiredSpace(bytes.size()));
    const QChar *end = m_decoder.appendToBuffer(m_text.data(), bytes);
    m_text.truncate(end - m_text.constData());
    if (m_format.lineBreaks != TextFormat::LineBreaks::Lf)
        return;
    // As replacing every CR LF by LF: each CR that an LF follows goes.
    char16_t *units = reinterpret_cast<char16_t *>(m_text.data());
    const qsizetype size = m_text.size();
    const bool startsWithLf = size > 0 && units[0] == u'\n';
    qsizetype kept = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (units[i] == u'\r' && (i + 1 == size || units[i + 1] == u'\n'))
            continue; // the last one waits for the next piece (see feed)
        units[kept++] = units[i];
    }
    const bool endsInCr = size > 0 && units[size - 1] == u'\r';
    m_text.truncate(kept);
    if (size == 0)
        return; // a CR held back stays held
    if (m_heldCr && !startsWithLf)
        m_text.prepend(u'\r');
    m_heldCr = endsInCr;
}

bool DocumentEncoder::encodeText(QByteArray &out)
{
    const qsizetype from = out.size();
    const char16_t *units = reinterpret_cast<const char16_t *>(m_text.constData());
    const qsizetype size = m_text.size();
    switch (m_format.encoding) {
    case TextFormat::Encoding::Utf8: {
        out.resize(from + m_utf8.requiredSpace(size));
        char *end = m_utf8.appendToBuffer(out.data() + from, m_text);
        out.truncate(end - out.constData());
        return true;
    }
    case TextFormat::Encoding::Windows1252: {
        static const Windows1252Bytes table;
        out.resize(from + size);
        char *p = out.data() + from;
        for (qsizetype i = 0; i < size; ++i) {
            if (!table.byteOf(units[i], p[i])) {
                out.truncate(from);
                return false;
            }
        }
        return true;
    }
    case TextFormat::Encoding::Utf16Le:
    case TextFormat::Encoding::Utf16Be: {
        const bool bigEndian = m_format.encoding == TextFormat::Encoding::Utf16Be;
        out.resize(from + 2 * size);
        char *p = out.data() + from;
        for (qsizetype i = 0; i < size; ++i) {
            const auto high = static_cast<char>(units[i] >> 8);
            const auto low = static_cast<char>(units[i] & 0xFF);
            *p++ = bigEndian ? high : low;
            *p++ = bigEndian ? low : high;
        }
        return true;
    }
    }
    return false;
}

bool DocumentEncoder::feed(QByteArrayView utf8, QByteArray &out)
{
    if (m_failed)
        return false;
    if (!m_started) {
        m_started = true;
        if (m_format.byteOrderMark && m_format.encoding == TextFormat::Encoding::Utf8)
            out += QByteArrayView("\xEF\xBB\xBF");
        else if (m_format.byteOrderMark && m_format.encoding == TextFormat::Encoding::Utf16Le)
            out += QByteArrayView("\xFF\xFE", 2);
        else if (m_format.byteOrderMark && m_format.encoding == TextFormat::Encoding::Utf16Be)
            out += QByteArrayView("\xFE\xFF", 2);
    }
    QByteArray joined;
    if (!m_cut.isEmpty()) {
        joined = m_cut;
        joined += utf8;
        utf8 = joined;
    }
    const qsizetype settled = settledLength(utf8);
    m_cut = utf8.sliced(settled).toByteArray();
    decode(utf8.first(settled));
    m_failed = !encodeText(out);
    return !m_failed;
}

bool DocumentEncoder::finish(QByteArray &out)
{
    if (!feed({}, out))
        return false;
    // What is left can no longer be completed: decoded alone, as the whole text's end would be.
    decode(std::exchange(m_cut, QByteArray()));
    if (m_heldCr) {
        m_text.append(u'\r');
        m_heldCr = false;
    }
    m_failed = !encodeText(out);
    return !m_failed;
}
