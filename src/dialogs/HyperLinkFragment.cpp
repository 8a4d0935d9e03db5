// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/HyperLinkFragment.h"

#include <array>

namespace HyperLinkFragment {

namespace {

struct TargetEntry {
    const char *name;
    const char *closing; // what follows the address's closing quote
};

constexpr std::array<TargetEntry, 5> targets = {{
    {"None", "></a>"},
    {"Same Frame", " target=\"_self\"></a>"},
    {"Whole Page", " target=\"_top\"></a>"},
    {"New Window", " target=\"_blank\"></a>"},
    {"Parent Frame", " target=\"_parent\"></a>"},
}};

} // namespace

const QStringList &targetNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const TargetEntry &entry : targets)
            list << QString::fromLatin1(entry.name);
        return list;
    }();
    return names;
}

QString link(const QString &address, Target target)
{
    const TargetEntry &entry = targets.at(static_cast<std::size_t>(target));
    return QStringLiteral("<a href=\"") + address + u'"' + QString::fromLatin1(entry.closing);
}

QString namedAnchor(const QString &name)
{
    return QStringLiteral("<a name=\"") + name + QStringLiteral("\"></a>");
}

} // namespace HyperLinkFragment
