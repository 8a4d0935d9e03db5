// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// "Insert Marquee": a scrolling text with its direction, speed, behaviour, alignment and the
// optional size, repeat count and background colour.
class frmMarquee : public ElementDialog
{
    Q_OBJECT

public:
    frmMarquee(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent = nullptr);

public slots:
    void ckContinuously_Click();
    void ckSpecifyWidth_Click();
    void ckSpecifyHeight_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QLineEdit *m_textField = nullptr;
    QRadioButton *m_optLeft = nullptr;
    QLineEdit *m_txtDelay = nullptr;
    QLineEdit *m_txtAmount = nullptr;
    QRadioButton *m_optScroll = nullptr;
    QRadioButton *m_optSlide = nullptr;
    QRadioButton *m_optTop = nullptr;
    QRadioButton *m_optMiddle = nullptr;
    QCheckBox *m_ckContinuously = nullptr;
    QLineEdit *m_repeatCountField = nullptr;
    QLabel *m_timesLabel = nullptr;
    QCheckBox *m_ckSpecifyWidth = nullptr;
    QLineEdit *m_txtWidth = nullptr;
    QRadioButton *m_optWidthPixels = nullptr;
    QRadioButton *m_optWidthPercent = nullptr;
    QCheckBox *m_ckSpecifyHeight = nullptr;
    QLineEdit *m_txtHeight = nullptr;
    QRadioButton *m_optHeightPixels = nullptr;
    QRadioButton *m_optHeightPercent = nullptr;
    QComboBox *m_backgroundCombo = nullptr;
};
