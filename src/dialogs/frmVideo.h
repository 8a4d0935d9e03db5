// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/AddressDialog.h"

// "Insert Video": an image element that plays the video clip at the typed or chosen address.
class frmVideo : public AddressDialog
{
    Q_OBJECT

public:
    frmVideo(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent = nullptr);
};
