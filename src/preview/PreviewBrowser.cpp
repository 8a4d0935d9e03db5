// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewBrowser.h"

#include "preview/PreviewPage.h"

#include <QChildEvent>

PreviewBrowser::PreviewBrowser(QWidget *parent)
    : QWebEngineView(parent)
    , m_page(new PreviewPage(this))
{
    setPage(m_page);
}

void PreviewBrowser::showFile(const QString &path, const QString &text)
{
    m_page->setPageText(text);
    load(QUrl::fromLocalFile(path));
}

bool PreviewBrowser::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
        m_page->noteUserInput();
        break;
    default:
        break;
    }
    return QWebEngineView::eventFilter(watched, event);
}

void PreviewBrowser::childEvent(QChildEvent *event)
{
    // The engine puts its render widget, which receives the input, into the view as a child.
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    QWebEngineView::childEvent(event);
}
