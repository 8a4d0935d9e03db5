// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewBrowser.h"

#include "preview/LocalAddress.h"
#include "preview/PreviewPage.h"
#include "preview/PreviewProfile.h"

#include <QApplication>
#include <QChildEvent>
#include <QClipboard>
#include <QMouseEvent>
#include <QPointer>
#include <QWebEngineProfile>

PreviewBrowser::PreviewBrowser(QWidget *parent)
    : QWebEngineView(parent)
{
    m_watchdog.setSingleShot(true);
    m_watchdog.setInterval(loadLimitMs);
    connect(&m_watchdog, &QTimer::timeout, this, &PreviewBrowser::tearDown);
    makePage();
    m_clipboardText = QApplication::clipboard()->text();
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &PreviewBrowser::clipboardChanged);
}

PreviewBrowser::~PreviewBrowser()
{
    // The pages go before their profile.
    delete m_page;
    delete m_profile;
}

void PreviewBrowser::makePage()
{
    QPointer<PreviewPage> old = m_page;
    QWebEngineProfile *oldProfile = m_profile;
    m_profile = PreviewProfile::create();
    m_page = new PreviewPage(m_profile, this);
    connect(m_page, &QWebEnginePage::loadFinished, &m_watchdog, &QTimer::stop);
    m_page->setRemoteContentAllowed(m_remoteAllowed);
    connect(m_page, &PreviewPage::remoteContentRequested, this, [this] { noteRemoteContent(true); });
    // A page that loaded without asking for any has none (a web page the user went to included).
    connect(m_page, &QWebEnginePage::loadFinished, this, [this] { noteRemoteContent(m_remoteSeen); });
    // Torn down once the dialog call has returned into the engine.
    connect(m_page, &PreviewPage::runaway, this, &PreviewBrowser::tearDown, Qt::QueuedConnection);
    setPage(m_page);
    delete old;
    delete oldProfile;
    emit pageChanged();
}

void PreviewBrowser::tearDown()
{
    m_watchdog.stop();
    makePage();
    emit pageTornDown();
    // The file that did not load may only have waited for a page before it: it gets one fresh
    // page; if it hangs there as well, the view stays empty until the next refresh.
    if (!m_path.isEmpty() && !m_retried) {
        m_retried = true;
        loadProgramPage();
        m_watchdog.start();
    }
}

void PreviewBrowser::clipboardChanged()
{
    if (m_restoringClipboard)
        return;
    QClipboard *clipboard = QApplication::clipboard();
    // A page writes there only on a click or key press in it; the program's own copies come
    // while the view does not have the focus, or long after the user acted in it.
    const QWidget *focus = QApplication::focusWidget();
    if (!m_page->userJustActed() || !focus || (focus != this && !isAncestorOf(focus))) {
        m_clipboardText = clipboard->text();
        return;
    }
    m_restoringClipboard = true;
    if (m_clipboardText.isEmpty())
        clipboard->clear();
    else
        clipboard->setText(m_clipboardText);
    m_restoringClipboard = false;
}

void PreviewBrowser::showFile(const QString &path, const QString &text)
{
    if (m_freshDocument) {
        m_freshDocument = false;
        makePage();
    }
    m_path = path;
    m_text = text;
    m_retried = false;
    m_remoteSeen = false;
    loadProgramPage();
    m_watchdog.start();
}

void PreviewBrowser::loadProgramPage()
{
    // The page comes from our proxy, which asks for the run's credentials: the engine asks the
    // page for them on this navigation and sends them with every request of the profile after it.
    m_page->showProgramPage(LocalAddress::url(m_path), m_text);
}

void PreviewBrowser::startDocument()
{
    m_freshDocument = true;
}

void PreviewBrowser::setRemoteContentAllowed(bool allowed)
{
    if (allowed == m_remoteAllowed)
        return;
    m_remoteAllowed = allowed;
    m_page->setRemoteContentAllowed(allowed);
    // What was loaded stays in the engine's caches; blocked again, the page starts afresh.
    if (!allowed)
        m_freshDocument = true;
    emit remoteContentChanged();
}

void PreviewBrowser::noteRemoteContent(bool seen)
{
    m_remoteSeen = m_remoteSeen || seen;
    if (seen == m_hasRemote)
        return;
    m_hasRemote = seen;
    emit remoteContentChanged();
}

bool PreviewBrowser::showsProgramPage() const
{
    return m_page->showsProgramPage();
}

bool PreviewBrowser::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_sourceClicks && mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::ControlModifier) {
            m_takeRelease = true;
            if (event->type() == QEvent::MouseButtonPress)
                emit sourceClicked(mouse->position());
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress)
            m_page->noteClick(mouse->position());
        break;
    }
    case QEvent::MouseButtonRelease:
        if (m_takeRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_takeRelease = false;
            return true;
        }
        break;
    case QEvent::KeyPress:
        m_page->noteKey();
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
