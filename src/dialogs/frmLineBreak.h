// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class QRadioButton;

// "Break Properties": inserts a line break that may clear the left, right or both margins.
class frmLineBreak : public ElementDialog
{
    Q_OBJECT

public:
    frmLineBreak(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QRadioButton *m_optNormal = nullptr;
    QRadioButton *m_optLeft = nullptr;
    QRadioButton *m_optRight = nullptr;
};
