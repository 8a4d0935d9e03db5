// SPDX-License-Identifier: GPL-3.0-or-later
#include "formatting/FormattingMarkup.h"

namespace FormattingMarkup {

std::optional<Wrap> buttonMarkup(const QString &key)
{
    if (key == QLatin1String("Bold"))
        return Wrap{QStringLiteral("<B>"), QStringLiteral("</B>")};
    if (key == QLatin1String("Italic"))
        return Wrap{QStringLiteral("<I>"), QStringLiteral("</I>")};
    if (key == QLatin1String("Underline"))
        return Wrap{QStringLiteral("<U>"), QStringLiteral("</U>")};
    if (key == QLatin1String("Left"))
        return Wrap{QStringLiteral("<p align='left'>"), QStringLiteral("</p>")};
    if (key == QLatin1String("Center"))
        return Wrap{QStringLiteral("<p align='center'>"), QStringLiteral("</p>")};
    if (key == QLatin1String("Right"))
        return Wrap{QStringLiteral("<p align='right'>"), QStringLiteral("</p>")};
    // The break goes before the selection, which then starts the next line.
    if (key == QLatin1String("BR"))
        return Wrap{QStringLiteral("<BR> \r\n"), QString()};
    return std::nullopt;
}

Wrap fontMarkup(const QString &attribute, const QString &value)
{
    return Wrap{QStringLiteral("<font ") + attribute + QStringLiteral("=\"") + value + QStringLiteral("\">"), QStringLiteral("</font>")};
}

} // namespace FormattingMarkup
