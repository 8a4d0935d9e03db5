// SPDX-License-Identifier: GPL-3.0-or-later
#include "coloring/modColoring.h"

#include "platform/EditorControl.h"

#include <QByteArray>
#include <QString>

#include <algorithm>

namespace {

// The window never starts after the last "<" at or before this many characters plus one
// before the caret.
constexpr int LookBack = 100;
// The first backward read; each further one doubles.
constexpr int FirstChunk = 1024;
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

// The last "<" at offset limit or before, or -1. Reads backwards from the caret in growing
// chunks whose ends are character boundaries, so offsets are counted from each chunk's end.
int lastOpenAtOrBefore(const EditorControl &target, int limit, int caret)
{
    int chunkEnd = caret;
    int size = FirstChunk;
    while (chunkEnd > 0) {
        const QString chunk = target.textRange(std::max(0, chunkEnd - size), chunkEnd);
        if (chunk.isEmpty())
            break;
        const int chunkStart = chunkEnd - static_cast<int>(chunk.size());
        const int last = std::min(limit, chunkEnd - 1) - chunkStart;
        if (last >= 0) {
            const qsizetype at = chunk.lastIndexOf(u'<', last);
            if (at >= 0)
                return chunkStart + static_cast<int>(at);
        }
        chunkEnd = chunkStart;
        size *= 2;
    }
    return -1;
}

Window windowFor(EditorControl &target, int start)
{
    const int length = target.length();
    if (start == 0 || length == 0)
        return {0, length};
    const int caret = std::clamp(start, 1, length);
    Window window;
    if (caret > LookBack)
        window.start = std::max(0, lastOpenAtOrBefore(target, caret - LookBack - 1, caret));
    // The character just before the caret may close the window itself. Reading it by the range
    // that ends at the caret keeps to character boundaries.
    if (target.textRange(caret - 1, caret).endsWith(u'>')) {
        window.end = caret;
    } else {
        const int close = target.Find(QStringLiteral(">"), caret, -1, SearchOptions);
        window.end = close < 0 ? length : close + 1;
    }
    return window;
}

// The window's text, read once, with searches that go on past it into the document.
class SpanScanner
{
public:
    SpanScanner(EditorControl &target, const Window &window)
        : m_target(target)
        , m_window(window)
        , m_text(target.textRange(window.start, window.end))
    {
    }

    // The first c at offset from or after it, in the whole document; -1 when there is none.
    int find(char16_t c, int from) const
    {
        if (from < m_window.end) {
            const qsizetype at = m_text.indexOf(QChar(c), std::max(0, from - m_window.start));
            if (at >= 0)
                return m_window.start + static_cast<int>(at);
            from = m_window.end;
        }
        return m_target.Find(QString(QChar(c)), from, -1, SearchOptions);
    }

    // Whether the span starting at s begins with "<!".
    bool isComment(int s) const
    {
        if (s + 1 < m_window.end)
            return m_text.at(s + 1 - m_window.start) == u'!';
        return m_target.textRange(s, s + 2).startsWith(QStringLiteral("<!"));
    }

private:
    EditorControl &m_target;
    Window m_window;
    QString m_text;
};

} // namespace

void ColorMarkup(EditorControl &target, int start)
{
    const Window window = windowFor(target, start);
    QByteArray colours(window.end - window.start, colourByte(EditorControl::Colour::Base));
    const SpanScanner scanner(target, window);

    // At most one span lies past the window: the one painted after the window's closing ">".
    int outsideStart = -1;
    QByteArray outside;
    int pos = window.start;
    for (;;) {
        const int s = scanner.find(u'<', pos);
        if (s < 0)
            break;
        const int e = scanner.find(u'>', s);
        if (e < 0)
            break;
        const char colour = colourByte(scanner.isComment(s) ? EditorControl::Colour::Comment : EditorControl::Colour::Markup);
        if (e < window.end) {
            std::fill(colours.begin() + (s - window.start), colours.begin() + (e + 1 - window.start), colour);
        } else {
            outsideStart = s;
            outside = QByteArray(e - s + 1, colour);
        }
        pos = e + 1;
        // Strictly greater: a span that ends on the window's closing ">" is followed by one more.
        if (pos > window.end)
            break;
    }
    target.setColours(window.start, colours);
    if (outsideStart >= 0)
        target.setColours(outsideStart, outside);
}

void PaintBaseColor(EditorControl &target, int start)
{
    const Window window = windowFor(target, start);
    target.setColours(window.start, QByteArray(window.end - window.start, colourByte(EditorControl::Colour::Base)));
}
