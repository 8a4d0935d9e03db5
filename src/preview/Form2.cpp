// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/Form2.h"

#include "preview/PreviewBrowser.h"

#include <QEvent>
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

Form2::Form2(QWidget *owner)
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

    m_w1 = new PreviewBrowser(this);
    m_w1->setObjectName(QStringLiteral("w1"));
    m_w1->setAccessibleName(tr("Preview"));
    m_w1->move(w1Position);

    resize(800, 600);
    Form_Resize();
    Form_Load();
}

void Form2::Form_Load()
{
    m_w1->load(QUrl(QStringLiteral("about:blank")));
}

void Form2::Form_Resize()
{
    m_PrevTlb->setGeometry(0, 0, width(), toolbarHeight);
    const int w1Width = std::max(0, width() - twips(100));
    int w1Height = std::max(0, height() - twips(600));
    // A notice bar takes its line from the top of w1's place.
    int barHeight = 0;
    if (m_noticeBar && !m_noticeBar->isHidden()) {
        barHeight = std::min(w1Height, m_noticeBar->sizeHint().height());
        m_noticeBar->setGeometry(w1Position.x(), w1Position.y(), w1Width, barHeight);
    }
    m_w1->setGeometry(w1Position.x(), w1Position.y() + barHeight, w1Width, w1Height - barHeight);
}

void Form2::setNoticeBar(QWidget *bar)
{
    m_noticeBar = bar;
    bar->installEventFilter(this);
    Form_Resize();
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_noticeBar && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        Form_Resize();
    return QWidget::eventFilter(watched, event);
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
