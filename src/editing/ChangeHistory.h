// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/EditorControl.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

// The undo/redo history of the document, kept as one replacement per recorded change instead of
// a copy of the whole text per state. A replacement holds only the text that is not in the
// document: the replaced text while the change is done, the inserted text once it is undone.
// So typing costs a few bytes per character and opening a large file costs nothing beyond the
// text it replaced.
//
// The history keeps the Capacity most recent changes (the oldest is dropped when a new one
// comes), Redo only follows the current line of changes, and a change after an Undo discards
// the undone ones.
class ChangeHistory
{
public:
    static constexpr int Capacity = 1000;

    // Reads [start, end) of the document as it stands now.
    using Reader = std::function<QString(int start, int end)>;

    // Records one change: its edits in order, each in the offsets the previous ones left;
    // read gives the text after the change (used only when a change has several edits).
    void record(const QList<ContentEdit> &edits, const Reader &read);

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < static_cast<int>(m_steps.size()); }

    // The edit that turns the document, which must stand in the current state, into the previous
    // (undo) or next (redo) state; nothing at either end of the history.
    std::optional<ContentEdit> undo(const Reader &read);
    std::optional<ContentEdit> redo(const Reader &read);

    // How many recorded changes lie before the current state.
    int UndoIndex() const { return m_index; }
    // How many changes are kept.
    int size() const { return static_cast<int>(m_steps.size()); }
    // The memory the history holds, in bytes.
    qsizetype byteSize() const;

private:
    // The change replaced [offset, offset + oldLength) of the text before it by
    // [offset, offset + newLength) of the text after it.
    struct Step {
        int offset = 0;
        int oldLength = 0;
        int newLength = 0;
        QString text; // the old text while the change is done, the new one while it is undone
    };

    static Step merge(const QList<ContentEdit> &edits, const Reader &read);

    std::deque<Step> m_steps;
    int m_index = 0;
};
