// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The markup of the marquee dialog. Field texts go in as typed: not trimmed, not checked to be
// numbers, not escaped.
namespace MarqueeFragment {

enum class Behavior { Scroll, Slide, Alternate };
enum class Align { Top, Middle, Bottom };

struct Marquee {
    QString text;
    bool scrollLeft = true;
    QString delay;
    QString amount;
    Behavior behavior = Behavior::Scroll;
    Align align = Align::Top;
    bool specifyWidth = false;
    QString width;
    bool widthInPercent = false;
    bool specifyHeight = false;
    QString height;
    bool heightInPercent = false;
    bool continuously = true;
    QString loop;   // read only when not continuously
    QString colour; // an entry of the colour list; "Default" adds no attribute
};

// One marquee element on one line, attributes in the order direction, scrolldelay, scrollamount,
// behavior, align, width, height, loop, bgcolor.
QString build(const Marquee &marquee);

} // namespace MarqueeFragment
