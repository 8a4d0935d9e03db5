// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The values of the table generator and the markup they make: one upper-case tag per line, values
// unquoted and written as typed, a numbered comment in every cell, CR LF after every line.
struct TableFragment {
    // Larger tables are refused: the markup would run to megabytes and stall the editor.
    static constexpr qint64 MaxCells = 100000;

    // A row or column count typed as text: a 16-bit signed number, a fraction rounded to the
    // nearest whole number and a half to the even neighbour. Empty when the text is no number or
    // falls outside -32768 to 32767.
    static std::optional<int> toCount(const QString &text);

    // The cells the table would have; counts below 1 give none.
    qint64 cellCount() const;
    QString build() const;

    int rows = 0;
    int columns = 0;
    QString width;
    QString height; // empty: no HEIGHT attribute
    QString backgroundColour;
    QString borderSize;
    QString borderColour;
    QString cellSpacing;
    QString cellPadding;
};
