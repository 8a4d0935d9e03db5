// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

struct ContentEdit;

// The edits made to a text since a moment in the past, so that an offset of the text as it was
// then can be found in the text as it is now, and back. An offset inside text that has been
// replaced since, or any offset once a whole new text was loaded, is found nowhere (-1).
class EditTrail
{
public:
    // Starts from the text as it is now.
    void clear();
    // Adds the edits of one change, in order.
    void record(const QList<ContentEdit> &edits);

    // Where the character at pastOffset is now; -1 once it has been removed.
    int toCurrent(int pastOffset) const;
    // Where the place between characters at pastOffset is now: text replaced from exactly there
    // leaves the place before it; -1 only strictly inside replaced text.
    int placeToCurrent(int pastOffset) const;
    // Where the place between characters at currentOffset was; -1 inside inserted text.
    int toPast(int currentOffset) const;

private:
    // Beyond this many edits the trail is no longer worth its time.
    static constexpr qsizetype maximumEdits = 4096;

    struct Shift {
        int offset;
        int removed;
        int inserted;
    };
    QList<Shift> m_edits;
    bool m_broken = false;
};
