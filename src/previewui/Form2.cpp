// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewui/Form2.h"

#include "previewui/PreviewView.h"

#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int twips(int value)
{
    return (value + 7) / 15;
}

// The toolbar's band at the top; w1 sits below it, a little in from the left edge.
constexpr int toolbarHeight = 34;
constexpr QPoint w1Position{3, toolbarHeight};

} // namespace

Form2::Form2(QWidget *owner, PreviewView *w1)
    // A dialog to the window manager, which then keeps it in front of its owner and minimises it
    // with it (a plain window of an owner is not told its owner), with every title-bar button.
    : QWidget(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Preview Window:"));
    setAccessibleName(tr("Preview Window"));

    m_PrevTlb = new QToolBar(this);
    m_PrevTlb->setObjectName(QStringLiteral("PrevTlb"));
    m_PrevTlb->setAccessibleName(tr("Preview toolbar"));
    m_PrevTlb->setMovable(false);
    auto *exit = new QToolButton(m_PrevTlb);
    exit->setObjectName(QStringLiteral("exit"));
    exit->setText(QStringLiteral("Exit"));
    exit->setToolTip(QStringLiteral("Exit Preview Window, and return to Editor...."));
    exit->setAccessibleName(QStringLiteral("Exit"));
    exit->setToolButtonStyle(Qt::ToolButtonTextOnly);
    exit->setAutoRaise(true);
    m_PrevTlb->addWidget(exit);
    // A button's key is its object name.
    connect(exit, &QToolButton::clicked, this, [this, exit] { PrevTlb_ButtonClick(exit->objectName()); });

    m_w1 = w1;
    m_w1->setParent(this);
    m_w1->setObjectName(QStringLiteral("w1"));
    m_w1->setAccessibleName(tr("Preview"));
    m_w1->move(w1Position);

    resize(800, 600);
    Form_Resize();
    Form_Load();
}

void Form2::Form_Load()
{
    m_w1->showStartPage();
}

void Form2::Form_Resize()
{
    m_PrevTlb->setGeometry(0, 0, width(), toolbarHeight);
    m_w1->resize(std::max(0, width() - twips(100)), std::max(0, height() - twips(600)));
}

void Form2::PrevTlb_ButtonClick(const QString &key)
{
    if (key == QLatin1String("exit"))
        close();
}

void Form2::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}
