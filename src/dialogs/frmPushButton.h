// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class QLineEdit;
class QRadioButton;

// Inserts a push button: <input type="button|submit|reset" ...>.
class frmPushButton : public ElementDialog
{
    Q_OBJECT

public:
    frmPushButton(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtValueLabel = nullptr;
    QRadioButton *m_optNormal = nullptr;
    QRadioButton *m_optSubmit = nullptr;
    QRadioButton *m_optReset = nullptr;
    QLineEdit *m_txtTabOrder = nullptr;
};
