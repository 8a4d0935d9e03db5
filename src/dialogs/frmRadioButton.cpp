// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmRadioButton.h"

frmRadioButton::frmRadioButton(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : StateFieldDialog(editor, std::move(refreshPreview),
                       {.objectName = "frmRadioButton",
                        .title = QStringLiteral("Insert Radio Button"),
                        .nameLabel = QStringLiteral("Group Name:"),
                        .stateLabel = QStringLiteral("Initial State:"),
                        .on = {"optSelected", QStringLiteral("Selected")},
                        .off = {"optNotSelected", QStringLiteral("Not selected")},
                        .buttonsBelow = false,
                        .cancelRefreshes = true,
                        .fragment = FormFieldFragments::radioButton},
                       parent)
{
}
