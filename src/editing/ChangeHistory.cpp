// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ChangeHistory.h"

#include <algorithm>

void ChangeHistory::record(const QList<ContentEdit> &edits, const Reader &read)
{
    if (edits.isEmpty())
        return;
    m_steps.erase(m_steps.begin() + m_index, m_steps.end());
    m_steps.push_back(merge(edits, read));
    if (m_steps.size() > Capacity)
        m_steps.pop_front();
    m_index = static_cast<int>(m_steps.size());
}

ChangeHistory::Step ChangeHistory::merge(const QList<ContentEdit> &edits, const Reader &read)
{
    if (edits.size() == 1) {
        const ContentEdit &edit = edits.front();
        return {edit.offset, static_cast<int>(edit.removed.size()), edit.insertedLength(), edit.removed};
    }
    // A deletion and an insertion at the same place: typing over a selection, writing the
    // selected text or the whole text.
    if (edits.size() == 2 && edits[0].offset == edits[1].offset && edits[0].insertedLength() == 0 && edits[1].removed.isEmpty())
        return {edits[0].offset, static_cast<int>(edits[0].removed.size()), edits[1].insertedLength(), edits[0].removed};
    // Any other set of edits: one replacement covering all of them. Nothing before the lowest
    // offset changed, and each edit's end, carried forward through the growth of the edits
    // after it, bounds the new text.
    int start = edits.front().offset;
    int newEnd = 0;
    int growthAfter = 0;
    for (auto edit = edits.crbegin(); edit != edits.crend(); ++edit) {
        start = std::min(start, edit->offset);
        newEnd = std::max(newEnd, edit->offset + edit->insertedLength() + growthAfter);
        growthAfter += static_cast<int>(edit->insertedLength() - edit->removed.size());
    }
    newEnd = std::max(newEnd, start);
    // Undo the edits, last first, on the new text to get the old one.
    QString text = read(start, newEnd);
    const int newLength = static_cast<int>(text.size());
    for (auto edit = edits.crbegin(); edit != edits.crend(); ++edit)
        text.replace(edit->offset - start, edit->insertedLength(), edit->removed);
    return {start, static_cast<int>(text.size()), newLength, text};
}

std::optional<ContentEdit> ChangeHistory::undo(const Reader &read)
{
    if (!canUndo())
        return std::nullopt;
    Step &step = m_steps[static_cast<std::size_t>(--m_index)];
    ContentEdit edit{step.offset, read(step.offset, step.offset + step.newLength), step.text};
    step.text = edit.removed;
    return edit;
}

std::optional<ContentEdit> ChangeHistory::redo(const Reader &read)
{
    if (!canRedo())
        return std::nullopt;
    Step &step = m_steps[static_cast<std::size_t>(m_index++)];
    ContentEdit edit{step.offset, read(step.offset, step.offset + step.oldLength), step.text};
    step.text = edit.removed;
    return edit;
}

qsizetype ChangeHistory::byteSize() const
{
    qsizetype bytes = sizeof(*this);
    for (const Step &step : m_steps) {
        bytes += sizeof(Step);
        if (!step.text.isEmpty())
            bytes +=
                static_cast<qsizetype>(sizeof(QArrayData)) + (step.text.capacity() + 1) * static_cast<qsizetype>(sizeof(QChar));
    }
    return bytes;
}
