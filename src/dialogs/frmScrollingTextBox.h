// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class QLineEdit;
class QPlainTextEdit;

// Inserts a scrolling text box: <textarea ...>initial text</textarea>. It has no default
// button, so Enter in the initial text starts a new line.
class frmScrollingTextBox : public ElementDialog
{
    Q_OBJECT

public:
    frmScrollingTextBox(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *m_txtName = nullptr;
    QPlainTextEdit *m_initialTextArea = nullptr;
    QLineEdit *m_txtWidth = nullptr;
    QLineEdit *m_txtTabOrder = nullptr;
    QLineEdit *m_txtNumberOfLines = nullptr;
};
