// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class QLineEdit;
class QRadioButton;

// Inserts a radio button: <input type="radio" ...>.
class frmRadioButton : public ElementDialog
{
    Q_OBJECT

public:
    frmRadioButton(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtValue = nullptr;
    QRadioButton *m_optSelected = nullptr;
    QRadioButton *m_optNotSelected = nullptr;
    QLineEdit *m_Text1 = nullptr;
};
