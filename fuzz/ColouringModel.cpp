// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColouringModel.h"

namespace {

constexpr std::size_t none = static_cast<std::size_t>(-1);

std::size_t firstAtOrAfter(const std::u16string &text, char16_t c, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == c)
            return i;
    }
    return none;
}

} // namespace

std::vector<char> ColouringModel::colour(const std::u16string &text, std::size_t caret, std::vector<char> colours)
{
    // The window: everything, or from the last "<" at or before caret - 101 (else the start) to
    // just after the first ">" at or after caret - 1 (else the end).
    std::size_t from = 0;
    std::size_t to = text.size();
    if (caret != 0) {
        if (caret >= 101) {
            for (std::size_t i = caret - 101 + 1; i > 0; --i) {
                if (text[i - 1] == u'<') {
                    from = i - 1;
                    break;
                }
            }
        }
        const std::size_t close = firstAtOrAfter(text, u'>', caret - 1);
        to = close == none ? text.size() : close + 1;
    }
    for (std::size_t i = from; i < to; ++i)
        colours[i] = Base;

    // The spans from the window's start, until one ends past the window.
    std::size_t pos = from;
    for (;;) {
        const std::size_t open = firstAtOrAfter(text, u'<', pos);
        if (open == none)
            break;
        const std::size_t close = firstAtOrAfter(text, u'>', open);
        if (close == none)
            break;
        const bool comment = open + 1 < text.size() && text[open + 1] == u'!';
        for (std::size_t i = open; i <= close; ++i)
            colours[i] = comment ? Comment : Markup;
        pos = close + 1;
        if (pos > to)
            break;
    }
    return colours;
}
