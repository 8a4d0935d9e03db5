// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <vector>

// Positions in a UTF-8 text: byte offsets to UTF-16 offsets, lines and columns. Built once in
// one pass; each look-up then reads at most a small block of the text, so a page that is one long
// line costs no more than one with many.
class SourceIndex
{
public:
    explicit SourceIndex(const QByteArray &utf8);

    // The UTF-16 offset of the character at byte offset (clamped to the text).
    int utf16Offset(qsizetype byteOffset) const;
    // 1-based line and UTF-16 column of byte offset. A line ends at LF, CR LF or a lone CR.
    void lineAndColumn(qsizetype byteOffset, int &line, int &column) const;

private:
    static constexpr qsizetype BlockSize = 256;

    const QByteArray &m_text;
    // The last look-up: the next one, usually a little further on, counts from there.
    mutable qsizetype m_lastByte = 0;
    mutable int m_lastUnits = 0;
    std::vector<int> m_blockUnits;       // UTF-16 units before each block
    std::vector<qsizetype> m_lineStarts; // byte offset of each line's start
};
