// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SourceIndex.h"

#include <algorithm>

namespace {

// UTF-16 units of the characters whose first byte lies in [from, to).
int unitsBetween(const char *text, qsizetype from, qsizetype to)
{
    int units = 0;
    for (qsizetype i = from; i < to; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

} // namespace

SourceIndex::SourceIndex(const QByteArray &utf8)
    : m_text(utf8)
{
    const char *text = utf8.constData();
    const qsizetype size = utf8.size();
    m_blockUnits.reserve(static_cast<size_t>(size / BlockSize + 1));
    int units = 0;
    for (qsizetype block = 0; block < size; block += BlockSize) {
        m_blockUnits.push_back(units);
        units += unitsBetween(text, block, std::min(size, block + BlockSize));
    }
    m_blockUnits.push_back(units);
    m_lineStarts.push_back(0);
    for (qsizetype i = 0; i < size; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == size || text[i + 1] != '\n')))
            m_lineStarts.push_back(i + 1);
    }
}

int SourceIndex::utf16Offset(qsizetype byteOffset) const
{
    byteOffset = std::clamp<qsizetype>(byteOffset, 0, m_text.size());
    const qsizetype block = byteOffset / BlockSize;
    if (byteOffset >= m_lastByte && byteOffset - m_lastByte < byteOffset - block * BlockSize) {
        m_lastUnits += unitsBetween(m_text.constData(), m_lastByte, byteOffset);
    } else {
        m_lastUnits = m_blockUnits[static_cast<size_t>(block)] + unitsBetween(m_text.constData(), block * BlockSize, byteOffset);
    }
    m_lastByte = byteOffset;
    return m_lastUnits;
}

void SourceIndex::lineAndColumn(qsizetype byteOffset, int &line, int &column) const
{
    byteOffset = std::clamp<qsizetype>(byteOffset, 0, m_text.size());
    const auto next = std::upper_bound(m_lineStarts.cbegin(), m_lineStarts.cend(), byteOffset);
    const qsizetype lineStart = *(next - 1);
    line = static_cast<int>(next - m_lineStarts.cbegin());
    column = utf16Offset(byteOffset) - utf16Offset(lineStart) + 1;
}
