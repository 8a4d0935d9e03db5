// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class HostServices;
class QLineEdit;
class QListWidget;
class QRadioButton;

// Inserts a selection list, <select ...> with one option line per item the user adds through
// an input box. Its Cancel leaves the preview alone.
class frmDropDownMenu : public ElementDialog
{
    Q_OBJECT

public:
    frmDropDownMenu(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    HostServices &m_host;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtHeight = nullptr;
    QLineEdit *m_txtTabOrder = nullptr;
    QRadioButton *m_optYes = nullptr;
    QRadioButton *m_noOption = nullptr;
    QListWidget *m_lstItems = nullptr;
};
