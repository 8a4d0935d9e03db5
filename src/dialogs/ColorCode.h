// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// HTML colour codes from the platform's colour integers, which hold red in the lowest byte,
// green in the middle byte and blue in the highest.
namespace ColorCode {

// The colour integer of three parts, each 0 to 255.
int value(int red, int green, int blue);

// "#" followed by two upper-case hexadecimal digits each for the red, green and blue bytes of
// a colour integer.
QString code(int colorValue);

} // namespace ColorCode
