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
    QLineEdit *m_Text1 = nullptr;
    QLineEdit *m_Text2 = nullptr;
    QLineEdit *m_Text3 = nullptr;
    QLineEdit *m_Text4 = nullptr;
    QCheckBox *m_Check1 = nullptr;
    QLineEdit *m_Text5 = nullptr;
    QLineEdit *m_Text6 = nullptr;
    QLineEdit *m_Text7 = nullptr;
};
