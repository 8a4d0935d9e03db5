// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/AddressDialog.h"

// "Insert Image": an image element with the typed or chosen source address.
class frmImage : public AddressDialog
{
    Q_OBJECT

public:
    frmImage(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent = nullptr);
};
