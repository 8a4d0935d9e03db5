// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One edit of the content, in the offsets of the text before the edit was made.
struct ContentEdit {
    int offset = 0;
    QString removed;
    QString inserted;
    // A file loaded in place of the content is not held a second time as text: inserted is then
    // empty and this is the loaded text's length; -1 for every other edit.
    int loadedLength = -1;

    int insertedLength() const { return loadedLength >= 0 ? loadedLength : static_cast<int>(inserted.size()); }
};
