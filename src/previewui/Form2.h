// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class PreviewView;
class QToolBar;

// The preview window: its own browser view w1 under the toolbar PrevTlb. A modeless window of
// its owner that is deleted when it closes, so the next use loads it afresh.
// The window takes w1 as made by PreviewEngine.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    Form2(QWidget *owner, PreviewView *w1);

    PreviewView *w1() const { return m_w1; }
    QToolBar *PrevTlb() const { return m_PrevTlb; }

    // Sends w1 to the start page.
    void Form_Load();
    // w1 follows the window: 100 twips narrower and 600 twips lower, never below zero.
    void Form_Resize();

public slots:
    // Unloads the window for the key "exit", exactly; any other key does nothing.
    void PrevTlb_ButtonClick(const QString &key);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolBar *m_PrevTlb = nullptr;
    PreviewView *m_w1 = nullptr;
};
