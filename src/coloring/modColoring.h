// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class EditorControl;

// The markup colouring. A markup span runs from a "<" to the first ">" after it; a span that
// begins with "<!" takes the comment colour, every other span the markup colour, and the text
// around them the base colour. There is no HTML grammar and no state between calls.
//
// start is the caret offset at the time of the change. 0 repaints the whole text. Any other
// value repaints only a window around the caret: from the last "<" at or before offset
// start - 101 (or from 0) to just after the first ">" at or after start - 1 (or to the end), and
// then the spans found from the window's start, as long as the previous span did not end past
// the window: the span right after the window's closing ">" is painted too, wherever it lies.
// Everything else keeps the colour it had, so the work per keystroke does not grow with the
// document.

// Paints the window in the base colour, then the spans. The whole text is read and painted
// WholeTextPiece characters at a time, so that a large page never stands in memory as one
// more copy of itself.
void ColorMarkup(EditorControl &target, int start);

constexpr int WholeTextPiece = 1 << 16;

// Paints the window that ColorMarkup would paint, in the base colour only.
void PaintBaseColor(EditorControl &target, int start);
