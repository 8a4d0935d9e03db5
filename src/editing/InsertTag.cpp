// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/InsertTag.h"

#include "editor/EditorControl.h"

void InsertTag(EditorControl &target, const QString &startText, const QString &endText)
{
    const int start = target.SelStart();
    const int length = target.SelLength();
    target.setSelText(startText + target.SelText() + endText);
    target.setSelStart(start + static_cast<int>(startText.size()));
    target.setSelLength(length);
}
