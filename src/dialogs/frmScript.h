// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// "Insert Script": a script element in VBScript, JavaScript or a language typed under "Other:".
// It has no default and no cancel button: Enter in the script area starts a new line and Esc
// does not close the dialog.
class frmScript : public ElementDialog
{
    Q_OBJECT

public:
    frmScript(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void optOther_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QRadioButton *m_optVBScript = nullptr;
    QRadioButton *m_optJavaScript = nullptr;
    QRadioButton *m_optOther = nullptr;
    QLineEdit *m_otherLanguageField = nullptr;
    QPlainTextEdit *m_scriptArea = nullptr;
};
