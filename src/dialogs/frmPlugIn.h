// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class HostServices;
class QCheckBox;
class QLineEdit;

// "Insert Plug-In": an embed element with size and layout attributes and a message for
// browsers without plug-in support.
class frmPlugIn : public ElementDialog
{
    Q_OBJECT

public:
    frmPlugIn(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdBrowse_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    HostServices &m_host;
    QLineEdit *m_sourceField = nullptr;
    QLineEdit *m_messageField = nullptr;
    QLineEdit *m_heightField = nullptr;
    QLineEdit *m_widthField = nullptr;
    QCheckBox *m_hideCheck = nullptr;
    QLineEdit *m_borderField = nullptr;
    QLineEdit *m_hspaceField = nullptr;
    QLineEdit *m_vspaceField = nullptr;
};
