// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmVideo.h"

#include "dialogs/DialogControls.h"
#include "dialogs/MediaFragments.h"

#include <QLineEdit>
#include <QPushButton>

frmVideo::frmVideo(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent)
    : AddressDialog(editor, host, std::move(refreshPreview),
                    {.objectName = "frmVideo",
                     .title = QStringLiteral("Insert Video"),
                     .picture = QStringLiteral(":/icons/video-file.svg"),
                     .pictureSize = 32,
                     .fileTitle = QStringLiteral("Select Image"),
                     .fileFilter = QStringLiteral("All Video Files|*.avi;*.ram;*.ra|All Files|*.*"),
                     .fragment = MediaFragments::video},
                    parent)
{
    // Cancel comes first, so Enter right after opening cancels.
    DialogControls::tabOrder({m_cancelButton, m_okButton, m_fileButton, m_addressField});
    m_cancelButton->setFocus();
}
