// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The addresses the link dialogs fill in for a file, an e-mail recipient or a bookmark.
namespace LinkAddress {

// "file://" followed by the absolute path as chosen ("/home/a b/x.htm" gives
// "file:///home/a b/x.htm"): the path is neither encoded nor converted.
QString file(const QString &absolutePath);
// "mailto:" followed by the address as typed, even an empty one.
QString email(const QString &address);
// "#" followed by the name as typed, even an empty one or one that has its own "#".
QString bookmark(const QString &name);

} // namespace LinkAddress
