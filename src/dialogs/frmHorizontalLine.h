// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

// "Insert Horizontal Line": a rule with colour, width, height, alignment and shading.
class frmHorizontalLine : public ElementDialog
{
    Q_OBJECT

public:
    frmHorizontalLine(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QLineEdit *m_txtWidth = nullptr;
    QRadioButton *m_optPercent = nullptr;
    QLineEdit *m_txtHeight = nullptr;
    QRadioButton *m_optLeft = nullptr;
    QRadioButton *m_optCenter = nullptr;
    QComboBox *m_colourCombo = nullptr;
    QCheckBox *m_ckSolidLine = nullptr;
};
