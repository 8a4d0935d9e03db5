// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The application's title, shown by message boxes given none and at the head of the caption.
inline QString appTitle()
{
    return QStringLiteral("Zorvane v1.0");
}
