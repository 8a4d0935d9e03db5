// SPDX-License-Identifier: GPL-3.0-or-later
#include "coloring/modColoring.h"

#include "editor/EditorControl.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <optional>

namespace {

// The window never starts after the last "<" at or before this many characters plus one
// before the caret.
constexpr int LookBack = 100;
// How much is read on each side of the caret at once; the backward reads then double.
constexpr int BeforeCaret = 1024;
constexpr int AfterCaret = 512;
// "<" and ">" have no case; without highlighting the target's selection stays put.
constexpr int SearchOptions = EditorControl::MatchCase | EditorControl::NoHighlight;

constexpr char colourByte(EditorControl::Colour colour)
{
    return static_cast<char>(colour);
}

// [start, end) of the text to repaint in the base colour.
struct Window {
    int start = 0;
    int end = 0;
};

// A stretch of the document read in one piece, with searches that go on into the rest of the
// document when it does not hold the answer. Reads keep to character boundaries: a stretch read
// up to a known boundary is counted from its end, one read from a known boundary from its start.
class Stretch
{
public:
    Stretch(EditorControl &target, int start, QString text)
        : m_target(target)
        , m_start(start)
        , m_text(std::move(text))
    {
    }

    // The text around a caret: before it and after it, read from the caret outwards.
    static Stretch around(EditorControl &target, int caret)
    {
        const QString before = target.textRange(std::max(0, caret - BeforeCaret), caret);
        return {target, caret - static_cast<int>(before.size()), before + target.textRange(caret, caret + AfterCaret)};
    }

    int start() const { return m_start; }
    int end() const { return m_start + static_cast<int>(m_text.size()); }

    QString text(int from, int to) const
    {
        if (from >= m_start && to <= end())
            return m_text.mid(from - m_start, to - from);
        return m_target.textRange(from, to);
    }

    // The first c at offset from or after it in this stretch; -1 when it holds none.
    int findHere(char16_t c, int from) const
    {
        if (from < m_start || from >= end())
            return -1;
        const qsizetype at = m_text.indexOf(QChar(c), from - m_start);
        return at < 0 ? -1 : m_start + static_cast<int>(at);
    }

    // The first c at offset from or after it in the document; -1 when there is none.
    int find(char16_t c, int from) const
    {
        const int here = findHere(c, from);
        if (here >= 0)
            return here;
        return m_target.Find(QString(QChar(c)), std::max(from, end()), -1, SearchOptions);
    }

    // The last "<" at offset limit or before in the document, or -1. Reads further back in
    // growing chunks that end where the text known so far starts.
    int lastOpenAtOrBefore(int limit) const
    {
        if (limit >= m_start) {
            const qsizetype at = m_text.lastIndexOf(u'<', std::min(limit, end() - 1) - m_start);
            if (at >= 0)
                return m_start + static_cast<int>(at);
        }
        int chunkEnd = std::min(m_start, limit + 1);
        int size = 2 * BeforeCaret;
        while (chunkEnd > 0) {
            const QString chunk = m_target.textRange(std::max(0, chunkEnd - size), chunkEnd);
            if (chunk.isEmpty())
                break;
            const int chunkStart = chunkEnd - static_cast<int>(chunk.size());
            const qsizetype at = chunk.lastIndexOf(u'<', std::min(limit, chunkEnd - 1) - chunkStart);
            if (at >= 0)
                return chunkStart + static_cast<int>(at);
            chunkEnd = chunkStart;
            size *= 2;
        }
        return -1;
    }

    QChar at(int offset) const { return m_text.at(offset - m_start); }

private:
    EditorControl &m_target;
    int m_start = 0;
    QString m_text;
};

// The window around the caret and the text read to find it.
std::pair<Window, Stretch> windowFor(EditorControl &target, int start)
{
    const int length = target.length();
    if (length == 0)
        return {Window{0, 0}, Stretch(target, 0, QString())};
    const int caret = std::clamp(start, 1, length);
    Stretch around = Stretch::around(target, caret);
    Window window;
    if (caret > LookBack)
        window.start = std::max(0, around.lastOpenAtOrBefore(caret - LookBack - 1));
    // The character just before the caret may close the window itself. It is the last unit read
    // before the caret, which keeps a surrogate pair whole.
    if (around.at(caret - 1) == u'>') {
        window.end = caret;
    } else {
        const int close = around.find(u'>', caret);
        window.end = close < 0 ? length : close + 1;
    }
    return {window, std::move(around)};
}

// Paints [from, to) in one colour, a piece at a time.
void paintPlainly(EditorControl &target, int from, int to, EditorControl::Colour colour)
{
    for (int at = from; at < to; at += WholeTextPiece) {
        const int end = std::min(to, at + WholeTextPiece);
        target.setColours(at, QByteArray(end - at, colourByte(colour)));
    }
}

// The whole text, piece by piece. A span is painted as it is read, on the assumption that a ">"
// follows; the last one, when none does, is no span and goes back to the base colour.
void colourWholeText(EditorControl &target)
{
    const int length = target.length();
    int openSpan = -1; // where the span being read began
    char spanColour = colourByte(EditorControl::Colour::Markup);
    for (int pieceStart = 0; pieceStart < length;) {
        // A piece ends before a surrogate pair it would cut, so it can be one unit short.
        const QString text = target.textRange(pieceStart, pieceStart + WholeTextPiece);
        const auto size = static_cast<int>(text.size());
        QByteArray colours(size, colourByte(EditorControl::Colour::Base));
        for (int i = 0; i < size;) {
            if (openSpan < 0) {
                const qsizetype open = text.indexOf(u'<', i);
                if (open < 0)
                    break;
                i = static_cast<int>(open);
                openSpan = pieceStart + i;
                // The "!" of "<!" may begin the next piece.
                const bool comment =
                    i + 1 < size ? text.at(i + 1) == u'!' : target.textRange(openSpan + 1, openSpan + 2).startsWith(u'!');
                spanColour = colourByte(comment ? EditorControl::Colour::Comment : EditorControl::Colour::Markup);
            }
            const qsizetype close = text.indexOf(u'>', i);
            const int spanEnd = close < 0 ? size : static_cast<int>(close) + 1;
            std::fill(colours.begin() + i, colours.begin() + spanEnd, spanColour);
            if (close >= 0)
                openSpan = -1;
            i = spanEnd;
        }
        target.setColours(pieceStart, colours);
        pieceStart += size;
    }
    if (openSpan >= 0)
        paintPlainly(target, openSpan, length, EditorControl::Colour::Base);
}

} // namespace

void ColorMarkup(EditorControl &target, int start)
{
    if (start == 0) {
        colourWholeText(target);
        return;
    }
    // Named references rather than a structured binding, which lambdas may not capture before
    // clang 16 (the fuzz targets build with clang).
    const std::pair<Window, Stretch> found = windowFor(target, start);
    const Window &window = found.first;
    const Stretch &read = found.second;
    // The window's own text, so that its spans are found without going back to the document.
    const Stretch scanner(target, window.start, read.text(window.start, window.end));
    QByteArray colours(window.end - window.start, colourByte(EditorControl::Colour::Base));

    // At most one span lies past the window: the one painted after the window's closing ">".
    // It is looked for in what was read around the caret first.
    const auto find = [&](char16_t c, int from) {
        const int inWindow = scanner.findHere(c, from);
        return inWindow >= 0 ? inWindow : read.find(c, std::max(from, window.end));
    };
    std::optional<std::pair<int, QByteArray>> outside;
    int pos = window.start;
    for (;;) {
        const int s = find(u'<', pos);
        if (s < 0)
            break;
        const int e = find(u'>', s);
        if (e < 0)
            break;
        const bool comment = read.text(s, s + 2).startsWith(QStringLiteral("<!"));
        const char colour = colourByte(comment ? EditorControl::Colour::Comment : EditorControl::Colour::Markup);
        if (e < window.end)
            std::fill(colours.begin() + (s - window.start), colours.begin() + (e + 1 - window.start), colour);
        else
            outside.emplace(s, QByteArray(e - s + 1, colour));
        pos = e + 1;
        // Strictly greater: a span that ends on the window's closing ">" is followed by one more.
        if (pos > window.end)
            break;
    }
    target.setColours(window.start, colours);
    if (outside)
        target.setColours(outside->first, outside->second);
}

void PaintBaseColor(EditorControl &target, int start)
{
    if (start == 0) {
        paintPlainly(target, 0, target.length(), EditorControl::Colour::Base);
        return;
    }
    const Window window = windowFor(target, start).first;
    target.setColours(window.start, QByteArray(window.end - window.start, colourByte(EditorControl::Colour::Base)));
}
