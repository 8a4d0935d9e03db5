// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The colour lists of the horizontal-line and marquee dialogs: "Default" followed by sixteen
// named colours, each written as an attribute with a "#RRGGBB" value in upper-case hex.
namespace NamedColours {

// The entries in list order, "Default" first.
QStringList names();

// ` attributeName="#RRGGBB"` (with its leading space) for a named entry; empty for "Default"
// and for any text that is not exactly, case included, one of the names.
QString attribute(const QString &attributeName, const QString &entry);

} // namespace NamedColours
