// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct ContentEdit;
class ScintillaView;

// What a ScintillaView tells the control it serves: the edits of its document as the component
// announces them, and the user's key, mouse and focus events. The view knows its control only
// through this.
class ViewEvents
{
public:
    virtual ~ViewEvents() = default;

    // False for a scratch view whose document's edits are recorded by another view.
    virtual bool reportsChanges() const = 0;
    // The view whose notices record the edits of the shared document (this view's, or another).
    virtual const ScintillaView &recordingView() const = 0;

    virtual void recordEdit(ContentEdit edit) = 0;
    // An edit is announced but not made yet.
    virtual void editPending() = 0;
    // The control's own paste wrote nothing at offset: still a change.
    virtual void recordUnchangedWrite(int offset) = 0;
    virtual int selectionStart() const = 0;

    // Every content notice between a begin and its end ends in one change, raised at the end
    // of the outermost.
    virtual void beginBatch() = 0;
    virtual void endBatch() = 0;

    // The user's key or input method has edited the text; its edits are still pending, so
    // what is written now joins the same change.
    virtual void userEdited() = 0;

    // The view's caret or selection moved, or its top line changed, after the last repaint.
    virtual void viewUpdated(bool caretMoved, bool scrolled) = 0;

    virtual void keyUp() = 0;
    virtual void mouseUp() = 0;
    virtual void lostFocus() = 0;

    // Groups what happens while it lives into one change.
    class Batch
    {
    public:
        explicit Batch(ViewEvents &events)
            : m_events(events)
        {
            m_events.beginBatch();
        }
        ~Batch() { m_events.endBatch(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        ViewEvents &m_events;
    };
};
