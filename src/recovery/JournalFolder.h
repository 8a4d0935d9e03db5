// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user folder that keeps the recovery journals: "zorvane" in the XDG state folder
// ($XDG_STATE_HOME, else ~/.local/state), created with mode 0700 and checked before each use to
// be a real folder of the user's own.
namespace JournalFolder {

// The folder's path, or empty with error set when it cannot be had safely.
QString path(QString *error = nullptr);

// The same checks for a given folder (created when missing, its parent included).
QString prepare(const QString &folder, QString *error = nullptr);

} // namespace JournalFolder
