// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

// The start-up window: a picture and "Loading Environment.....", without a title bar.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
