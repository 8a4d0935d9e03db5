// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/LinkAddress.h"

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

} // namespace LinkAddress
