// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmSplash.h"

#include "app/Resources.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSvgWidget>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    initResources();
    setObjectName(QStringLiteral("frmSplash"));
    setAccessibleName(tr("Zorvane is starting"));
    setStyleSheet(QStringLiteral("#frmSplash { background: white; border: 1px solid #808080; }"));
    setAttribute(Qt::WA_StyledBackground);
    auto *picture = new QSvgWidget(QStringLiteral(":/icons/splash.svg"), this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setFixedSize(400, 200);
    picture->setAccessibleName(tr("Zorvane"));
    auto *label = new QLabel(QStringLiteral("Loading Environment....."), this);
    label->setObjectName(QStringLiteral("Sp1LBL"));
    label->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 8);
    layout->addWidget(picture);
    layout->addWidget(label);
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    // Any key takes the splash away.
    QWidget::keyPressEvent(event);
    hide();
}
