// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/StateFieldDialog.h"

// "Insert Radio Button": <input type="radio" ...>.
class frmRadioButton : public StateFieldDialog
{
    Q_OBJECT

public:
    frmRadioButton(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);
};
