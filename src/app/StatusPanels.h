// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStatusBar>

#include <functional>

class QLabel;
class QTimer;

// StatusBar1: a text panel, then Caps Lock, Num Lock, Insert, the date and the time, each of
// which keeps itself current.
class StatusPanels : public QStatusBar
{
    Q_OBJECT

public:
    // overwriteMode tells whether the editor types over the text.
    StatusPanels(std::function<bool()> overwriteMode, QWidget *parent = nullptr);

    QLabel *panel(int index) const; // 1 to 6
    // Shows a passing message in the text panel.
    void showText(const QString &text);

public slots:
    void refresh();

private:
    std::function<bool()> m_overwriteMode;
    QList<QLabel *> m_panels;
    QTimer *m_timer = nullptr;
};
