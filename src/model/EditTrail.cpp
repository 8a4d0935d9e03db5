// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/EditTrail.h"

#include "editor/ContentEdit.h"

void EditTrail::clear()
{
    m_edits.clear();
    m_broken = false;
}

void EditTrail::record(const QList<ContentEdit> &edits)
{
    for (const ContentEdit &edit : edits) {
        if (edit.loadedLength >= 0 || m_edits.size() >= maximumEdits) {
            m_broken = true;
            m_edits.clear();
        }
        if (!m_broken)
            m_edits.append({edit.offset, static_cast<int>(edit.removed.size()), edit.insertedLength()});
    }
}

int EditTrail::toCurrent(int pastOffset) const
{
    if (m_broken || pastOffset < 0)
        return -1;
    int offset = pastOffset;
    for (const Shift &edit : m_edits) {
        if (offset >= edit.offset + edit.removed)
            offset += edit.inserted - edit.removed;
        else if (offset >= edit.offset)
            return -1;
    }
    return offset;
}

int EditTrail::placeToCurrent(int pastOffset) const
{
    if (m_broken)
        return -1;
    int offset = pastOffset;
    for (const Shift &edit : m_edits) {
        if (offset >= edit.offset + edit.removed)
            offset += edit.inserted - edit.removed;
        else if (offset > edit.offset)
            return -1;
    }
    return offset;
}

int EditTrail::toPast(int currentOffset) const
{
    if (m_broken || currentOffset < 0)
        return -1;
    int offset = currentOffset;
    for (qsizetype i = m_edits.size(); i-- > 0;) {
        const Shift &edit = m_edits.at(i);
        if (offset >= edit.offset + edit.inserted)
            offset -= edit.inserted - edit.removed;
        else if (offset > edit.offset)
            return -1;
    }
    return offset;
}
