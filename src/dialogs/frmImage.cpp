// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmImage.h"

#include "dialogs/DialogControls.h"
#include "dialogs/MediaFragments.h"

#include <QLineEdit>
#include <QPushButton>

frmImage::frmImage(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent)
    : AddressDialog(
          editor, host, std::move(refreshPreview),
          {"frmImage", QStringLiteral("Insert Image"), QStringLiteral(":/icons/image-file.svg"), 24,
           QStringLiteral("Select Image"),
           QStringLiteral("All Picture Files|*.gif;*.jpg;*.bmp;*.png;*.tif;*.wmf;*.ras;*.eps;*.pcx;*.tga|All Files|*.*"),
           MediaFragments::image},
          parent)
{
    DialogControls::tabOrder({m_text1, m_command1, m_command2, m_command3});
    m_text1->setFocus();
}
