// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The six fixed frameset layouts offered by the frameset window, numbered 1 to 6 as their
// buttons: two columns, two rows, a column beside two rows, a row above two columns, three
// columns, three rows.
namespace FramesetTemplates {

constexpr int Count = 6;

// The markup of layout number (1 to Count), each line ending in CR LF; empty for any other number.
QString code(int number);

} // namespace FramesetTemplates
