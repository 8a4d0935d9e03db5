// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// The editor's content with its colours, as a value: the text and the colour style of every
// UTF-16 code unit, stored as runs. Read from one editor control and written into another it
// reproduces text and colours exactly.
struct StyleRun {
    int length = 0;
    int style = 0;
    bool operator==(const StyleRun &) const = default;
};

struct RichText {
    QString text;
    std::vector<StyleRun> runs;
    bool operator==(const RichText &) const = default;
};
