// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/NamedColours.h"

#include <array>

namespace {

struct NamedColour {
    const char *name;
    const char *code;
};

constexpr std::array<NamedColour, 16> kColours{{
    {"Black", "#000000"},
    {"White", "#FFFFFF"},
    {"Green", "#008000"},
    {"Maroon", "#800000"},
    {"Olive", "#808000"},
    {"Navy", "#000080"},
    {"Purple", "#800080"},
    {"Gray", "#808080"},
    {"Yellow", "#FFFF00"},
    {"Lime", "#00FF00"},
    {"Aqua", "#00FFFF"},
    {"Fuchsia", "#FF00FF"},
    {"Silver", "#C0C0C0"},
    {"Red", "#FF0000"},
    {"Blue", "#0000FF"},
    {"Teal", "#008080"},
}};

} // namespace

namespace NamedColours {

QStringList names()
{
    QStringList result{QStringLiteral("Default")};
    for (const NamedColour &colour : kColours)
        result.append(QString::fromLatin1(colour.name));
    return result;
}

QString attribute(const QString &attributeName, const QString &entry)
{
    for (const NamedColour &colour : kColours) {
        if (entry == QLatin1String(colour.name))
            return QStringLiteral(" %1=\"%2\"").arg(attributeName, QLatin1String(colour.code));
    }
    return {};
}

} // namespace NamedColours
