// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/StateFieldDialog.h"

// "Insert Check Box": <input type="checkbox" ...>. Its Cancel leaves the preview alone.
class frmCheckBox : public StateFieldDialog
{
    Q_OBJECT

public:
    frmCheckBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);
};
