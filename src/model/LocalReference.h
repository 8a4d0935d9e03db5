// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A src or href value that names a file next to the page: no scheme, no network path, no
// fragment-only link, not rooted at a site's top.
class LocalReference
{
public:
    // The path the reference names, resolved against pageFolder; empty when the value names no
    // local file (an address, a fragment, a site-rooted path, a data: or javascript: value).
    static QString resolve(const QString &value, const QString &pageFolder);
};
