// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ChangeTracker.h"

#include "coloring/modColoring.h"
#include "editor/EditorControl.h"

#include <QScopedValueRollback>

ChangeTracker::ChangeTracker(EditorControl &r1, EditorControl &rtbTemp, std::function<void()> enableSave, QObject *parent)
    : QObject(parent)
    , m_r1(r1)
    , m_rtbTemp(rtbTemp)
    , m_enableSave(std::move(enableSave))
{
}

void ChangeTracker::r1_Change()
{
    // Writes made while a change is handled belong to that change.
    if (m_handling)
        return;
    const QScopedValueRollback handling(m_handling, true);
    // The colouring searches and paints in rtbTemp, whose selection is its own: r1's caret and
    // selection stay where the change left them, with nothing to copy back or restore.
    ColorMarkup(m_rtbTemp, m_r1.SelStart());
    m_r1.SetFocus();
    if (!m_replaying)
        m_history.record(m_r1.lastEdits(), [this](int start, int end) { return readR1(start, end); });
    m_enableSave();
}

void ChangeTracker::mnuUndo_Click()
{
    replay(m_history.undo([this](int start, int end) { return readR1(start, end); }));
}

void ChangeTracker::mnuRedo_Click()
{
    replay(m_history.redo([this](int start, int end) { return readR1(start, end); }));
}

void ChangeTracker::replay(const std::optional<ContentEdit> &edit)
{
    if (!edit)
        return;
    const QScopedValueRollback replaying(m_replaying, true);
    // One change that leaves the caret at 0, so the change handling recolours the whole text.
    m_r1.applyEdits({*edit});
}

QString ChangeTracker::readR1(int start, int end) const
{
    return m_r1.textRange(start, end);
}
