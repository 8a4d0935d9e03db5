// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ChangeHistory.h"

#include <QObject>

#include <functional>

class EditorControl;

// The change handling of the editor r1: every change is coloured, recorded once in the history
// and flags the document as changed; Undo and Redo write a recorded state back.
//
// rtbTemp must show r1's document (EditorControl::shareDocumentWith): the colouring works
// there with its own selection, so r1's caret and selection never move, and copying the content
// into the scratch control and back costs nothing.
class ChangeTracker : public QObject
{
    Q_OBJECT

public:
    // enableSave switches the Save command on: the document's unsaved-changes flag.
    ChangeTracker(EditorControl &r1, EditorControl &rtbTemp, std::function<void()> enableSave, QObject *parent = nullptr);

    int UndoIndex() const { return m_history.UndoIndex(); }
    // True while Undo or Redo writes a state back, so that the write is not recorded.
    bool Replaying() const { return m_replaying; }
    const ChangeHistory &history() const { return m_history; }

public slots:
    // The handler of r1's Change.
    void r1_Change();
    // Go back to the previous recorded state, or forward along the current line of changes.
    // The caret then stands at 0 with nothing selected, as after any write of the whole text.
    void mnuUndo_Click();
    void mnuRedo_Click();

private:
    void replay(const std::optional<ContentEdit> &edit);
    QString readR1(int start, int end) const;

    EditorControl &m_r1;
    EditorControl &m_rtbTemp;
    std::function<void()> m_enableSave;
    ChangeHistory m_history;
    bool m_replaying = false;
    bool m_handling = false;
};
