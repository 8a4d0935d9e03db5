// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class HostServices;

// The "file:///" addresses the element dialogs' file buttons write into their address fields.
namespace FileAddress {

// "file://" followed by the absolute path (which begins with "/"), so the address begins
// "file:///". The path is kept as it is: separators, spaces and other characters unencoded.
QString fromPath(const QString &absolutePath);

// Asks the host for a file to open with title and filter ("description|patterns|..."); the
// chosen file's address, or nothing when the dialog was cancelled.
std::optional<QString> choose(HostServices &host, const QString &title, const QString &filter);

} // namespace FileAddress
