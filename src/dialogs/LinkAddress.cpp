// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/LinkAddress.h"

#include "host/HostServices.h"

namespace LinkAddress {

QString file(const QString &absolutePath)
{
    return QStringLiteral("file://") + absolutePath;
}

QString email(const QString &address)
{
    return QStringLiteral("mailto:") + address;
}

QString bookmark(const QString &name)
{
    return QStringLiteral("#") + name;
}

std::optional<QString> chooseFile(HostServices &host, const QString &title, const QString &filter)
{
    const std::optional<QString> path = host.ShowOpen(title, filter);
    if (!path)
        return std::nullopt;
    return file(*path);
}

} // namespace LinkAddress
