// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Whether the user let a document's previews load remote content. Remembered per file, by the
// document's path, in the settings; for an untitled document only while it is open.
class RemoteContentChoice
{
public:
    // The most files remembered; the oldest choices go first.
    static constexpr int maxFiles = 256;

    // documentPath is empty for an untitled document.
    static bool isAllowed(const QString &documentPath);
    static void setAllowed(const QString &documentPath, bool allowed);
    // The editor holds another document: an untitled one's choice is forgotten.
    static void startDocument();
};
