// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

class QLabel;

// The about box: no title bar, centred over the main window, with its picture, two labels and
// the OK button Command1.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // refreshPreview runs after OK; openLink when the link label Label1 is clicked.
    frmAbout(std::function<void()> refreshPreview, std::function<void(frmAbout &)> openLink, QWidget *parent = nullptr);

    QLabel *Label1() const { return m_label1; }

public slots:
    void Command1_Click();
    void Label1_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::function<void()> m_refreshPreview;
    std::function<void(frmAbout &)> m_openLink;
    QLabel *m_label1 = nullptr;
};
