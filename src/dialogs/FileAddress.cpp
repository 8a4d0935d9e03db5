// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/FileAddress.h"

#include "platform/HostServices.h"

namespace FileAddress {

QString fromPath(const QString &absolutePath)
{
    return QStringLiteral("file://") + absolutePath;
}

std::optional<QString> choose(HostServices &host, const QString &title, const QString &filter)
{
    const std::optional<QString> path = host.ShowOpen(title, filter);
    if (!path)
        return std::nullopt;
    return fromPath(*path);
}

} // namespace FileAddress
