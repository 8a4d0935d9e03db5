// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class HostServices;
class QComboBox;
class QLineEdit;

// Inserts an empty link, <a href="..."></a>, with an optional target. Three picture buttons
// fill in the address of a file, an e-mail recipient or a bookmark.
class frmHyperLink : public ElementDialog
{
    Q_OBJECT

public:
    frmHyperLink(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdFile_Click();
    void cmdEmail_Click();
    void cmdBookmark_Click();
    void Command2_Click();
    void Command3_Click();

private:
    void Form_Load();

    HostServices &m_host;
    QLineEdit *m_addressField = nullptr;
    QComboBox *m_targetCombo = nullptr;
};
