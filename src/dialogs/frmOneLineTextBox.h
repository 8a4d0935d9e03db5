// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class QLineEdit;
class QRadioButton;

// Inserts a one-line text box or password field: <input type="text" ...>.
class frmOneLineTextBox : public ElementDialog
{
    Q_OBJECT

public:
    frmOneLineTextBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtInitialValue = nullptr;
    QLineEdit *m_txtWidth = nullptr;
    QLineEdit *m_txtTabOrder = nullptr;
    QRadioButton *m_optYes = nullptr;
    QRadioButton *m_optNo = nullptr;
};
