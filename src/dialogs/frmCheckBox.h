// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class QLineEdit;
class QRadioButton;

// Inserts a check box: <input type="checkbox" ...>. Its Cancel leaves the preview alone.
class frmCheckBox : public ElementDialog
{
    Q_OBJECT

public:
    frmCheckBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtValue = nullptr;
    QRadioButton *m_optChecked = nullptr;
    QRadioButton *m_optNotChecked = nullptr;
    QLineEdit *m_Text1 = nullptr;
};
