// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmVideo.h"

#include "dialogs/DialogControls.h"
#include "dialogs/MediaFragments.h"

#include <QLineEdit>
#include <QPushButton>

frmVideo::frmVideo(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent)
    : AddressDialog(editor, host, std::move(refreshPreview),
                    {"frmVideo", QStringLiteral("Insert Video"), QStringLiteral(":/icons/video-file.svg"), 32,
                     QStringLiteral("Select Image"), QStringLiteral("All Video Files|*.avi;*.ram;*.ra|All Files|*.*"),
                     MediaFragments::video},
                    parent)
{
    // Cancel comes first, so Enter right after opening cancels.
    DialogControls::tabOrder({m_command3, m_command2, m_command1, m_text1});
    m_command3->setFocus();
}
