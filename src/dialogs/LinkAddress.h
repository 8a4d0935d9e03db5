// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class HostServices;

// The addresses the element dialogs' address buttons write into their address fields: a local
// file, an e-mail recipient or a bookmark.
namespace LinkAddress {

// "file://" followed by the absolute path (which begins with "/"), so the address begins
// "file:///". The path is kept as it is: separators, spaces and other characters unencoded.
QString file(const QString &absolutePath);
// "mailto:" followed by the address as typed, even an empty one.
QString email(const QString &address);
// "#" followed by the name as typed, even an empty one or one that has its own "#".
QString bookmark(const QString &name);

// Asks the host for a file to open with title and filter ("description|patterns|..."); the
// chosen file's address, or nothing when the dialog was cancelled, so that the caller keeps the
// address the user typed.
std::optional<QString> chooseFile(HostServices &host, const QString &title, const QString &filter);

} // namespace LinkAddress
