// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class EditorControl;

// Wraps target's selection in startText and endText with one write, then selects the wrapped
// text again (with nothing selected, the caret ends between the two texts). Neither refreshes the
// preview nor moves the focus. Works at any offset.
void InsertTag(EditorControl &target, const QString &startText, const QString &endText);
