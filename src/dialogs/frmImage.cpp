// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmImage.h"

#include "dialogs/DialogControls.h"
#include "dialogs/MediaFragments.h"

#include <QLineEdit>
#include <QPushButton>

frmImage::frmImage(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent)
    : AddressDialog(editor, host, std::move(refreshPreview),
                    {.objectName = "frmImage",
                     .title = QStringLiteral("Insert Image"),
                     .picture = QStringLiteral(":/icons/image-file.svg"),
                     .pictureSize = 24,
                     .fileTitle = QStringLiteral("Select Image"),
                     .fileFilter = QStringLiteral(
                         "All Picture Files|*.gif;*.jpg;*.bmp;*.png;*.tif;*.wmf;*.ras;*.eps;*.pcx;*.tga|All Files|*.*"),
                     .fragment = MediaFragments::image},
                    parent)
{
    DialogControls::tabOrder({m_addressField, m_fileButton, m_okButton, m_cancelButton});
    m_addressField->setFocus();
}
