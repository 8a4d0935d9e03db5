// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The markup of the line-break and horizontal-line dialogs. Field texts go in as typed: not
// trimmed, not checked to be numbers, not escaped.
namespace LineFragments {

// Which margins a line break clears.
enum class BreakClear { None, Left, Right, Both };

// "<br>", or a break with its clear attribute.
QString lineBreak(BreakClear clear);

enum class RuleAlign { Left, Center, Right };

struct HorizontalRule {
    QString colour; // an entry of the colour list; "Default" adds no attribute
    QString width;
    bool widthInPercent = true;
    QString height;
    RuleAlign align = RuleAlign::Center;
    bool solid = false;
};

// An hr start tag whose attributes are always in the order color, width, size, align, noshade;
// width, size and align are always written.
QString horizontalRule(const HorizontalRule &rule);

} // namespace LineFragments
