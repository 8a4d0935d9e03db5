// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class PreviewBrowser;
class QToolBar;

// The preview window: its own browser view w1 under the toolbar PrevTlb. A modeless window of
// its owner that is deleted when it closes, so the next use loads it afresh.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(QWidget *owner);

    PreviewBrowser *w1() const { return m_w1; }
    QToolBar *PrevTlb() const { return m_PrevTlb; }
    // Puts bar, a one-line notice about the page, above w1 while it is shown; the window owns it.
    void setNoticeBar(QWidget *bar);

    // Sends w1 to the start page.
    void Form_Load();
    // w1 follows the window: 100 twips narrower and 600 twips lower, never below zero.
    void Form_Resize();

public slots:
    // Unloads the window for the key "exit", exactly; any other key does nothing.
    void PrevTlb_ButtonClick(const QString &key);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolBar *m_PrevTlb = nullptr;
    PreviewBrowser *m_w1 = nullptr;
    QWidget *m_noticeBar = nullptr;
};
