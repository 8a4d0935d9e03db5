// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmCheckBox.h"

frmCheckBox::frmCheckBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : StateFieldDialog(editor, std::move(refreshPreview),
                       {.objectName = "frmCheckBox",
                        .title = QStringLiteral("Insert Check Box"),
                        .nameLabel = QStringLiteral("Name:"),
                        .stateLabel = QStringLiteral("Default State:"),
                        .on = {"optChecked", QStringLiteral("Checked")},
                        .off = {"optNotChecked", QStringLiteral("Not checked")},
                        .buttonsBelow = true,
                        .cancelRefreshes = false,
                        .fragment = FormFieldFragments::checkBox},
                       parent)
{
}
