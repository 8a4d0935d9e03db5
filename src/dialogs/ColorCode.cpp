// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ColorCode.h"

int ColorCode::value(int red, int green, int blue)
{
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}

QString ColorCode::code(int colorValue)
{
    const auto pair = [colorValue](int shift) {
        return QStringLiteral("%1").arg((colorValue >> shift) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    return QStringLiteral("#") + pair(0) + pair(8) + pair(16);
}
