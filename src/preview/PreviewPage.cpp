// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewPage.h"

#include "preview/PreviewProxy.h"
#include "preview/PreviewRequestFilter.h"

#include <QAuthenticator>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>

namespace {

// How long after a click or a key press a navigation may still be the user's.
constexpr qint64 userActionMs = 1000;

// The link under the user's click or key, as [resolved address, attribute as written]; run in a
// world of its own, so the page's scripts cannot stand in for the DOM functions it calls.
QString linkProbe(bool byKey, QPointF pos)
{
    const QString element = byKey ? QStringLiteral("document.activeElement")
                                  : QStringLiteral("document.elementFromPoint(%1, %2)").arg(pos.x()).arg(pos.y());
    return QStringLiteral("(function () { var e = %1;"
                          " var a = e && e.closest ? e.closest('a[href], area[href]') : null;"
                          " return a ? [a.href, a.getAttribute('href')] : []; })()")
        .arg(element);
}

bool sameDocument(const QUrl &a, const QUrl &b)
{
    return a.adjusted(QUrl::RemoveFragment) == b.adjusted(QUrl::RemoveFragment);
}

} // namespace

PreviewPage::PreviewPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    auto *filter = new PreviewRequestFilter([this] { return showsNetworkPage(); }, [this] { return m_remoteAllowed; }, this);
    setUrlRequestInterceptor(filter);
    // Told once the engine has the filter's answer.
    connect(filter, &PreviewRequestFilter::remoteContentRequested, this, &PreviewPage::remoteContentRequested,
            Qt::QueuedConnection);
    connect(this, &QWebEnginePage::newWindowRequested, this, &PreviewPage::openNewWindow);
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, Feature feature) { setFeaturePermission(origin, feature, PermissionDeniedByUser); });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this, &PreviewPage::answerProxy);
    connect(this, &QWebEnginePage::loadFinished, this, [this] {
        m_toNetwork = false;
        // A script's history steps then find nothing before the program's page to go back to.
        if (sameDocument(url(), m_programUrl))
            history()->clear();
    });
}

void PreviewPage::showProgramPage(const QUrl &url, const QString &text)
{
    m_text = text;
    m_text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    m_addresses = WrittenAddresses(text);
    m_programUrl = url;
    ++m_programLoads;
    m_toNetwork = false;
    m_dialogs = 0;
    load(url);
}

void PreviewPage::noteClick(QPointF pos)
{
    m_lastInput.start();
    m_clickPos = pos;
    m_byKey = false;
}

void PreviewPage::noteKey()
{
    m_lastInput.start();
    m_byKey = true;
}

bool PreviewPage::showsNetworkPage() const
{
    return WrittenAddresses::isNetwork(url());
}

bool PreviewPage::showsProgramPage() const
{
    return !m_programUrl.isEmpty() && sameDocument(url(), m_programUrl);
}

bool PreviewPage::userJustActed() const
{
    return m_lastInput.isValid() && m_lastInput.elapsed() < userActionMs;
}

bool PreviewPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // The request filter decides what a frame may load.
    if (!isMainFrame)
        return true;
    switch (type) {
    case NavigationTypeTyped: // the program's own loads, and links the user followed
    case NavigationTypeReload:
        return true;
    case NavigationTypeBackForward:
        // Whichever entry a script picks, the view stays on the program's page.
        return sameDocument(url, m_programUrl);
    case NavigationTypeRedirect:
        return m_toNetwork;
    default:
        break;
    }
    if (showsNetworkPage()) {
        // A web site the user went to reads no files and is served as a browser serves it.
        if (!userJustActed())
            return false;
        m_toNetwork = WrittenAddresses::isNetwork(url);
        return true;
    }
    // Moving within the local page carries nothing anywhere.
    if (!WrittenAddresses::isNetwork(url) && sameDocument(url, this->url()))
        return true;
    // A form's fields would carry whatever a script put in them; a link is followed once it
    // proves to be the user's, as a load of the program's own.
    if (type == NavigationTypeLinkClicked && userJustActed())
        followIfUsersLink(url);
    return false;
}

void PreviewPage::followIfUsersLink(const QUrl &url)
{
    const quint64 loads = m_programLoads;
    runJavaScript(linkProbe(m_byKey, m_clickPos / zoomFactor()), QWebEngineScript::ApplicationWorld,
                  [this, url, loads](const QVariant &answer) {
                      const QStringList link = answer.toStringList();
                      if (loads != m_programLoads || link.size() != 2 || link.at(1).isEmpty())
                          return;
                      // The link under the click leads there, its address is written so in the
                      // text, and an address on the network is written out in full, fragment and all.
                      if (QUrl(link.at(0)) != url || !m_text.contains(link.at(1)))
                          return;
                      const bool network = WrittenAddresses::isNetwork(url);
                      if (network && !m_addresses.contains(url))
                          return;
                      m_toNetwork = network;
                      load(url);
                  });
}

void PreviewPage::openNewWindow(QWebEngineNewWindowRequest &request)
{
    if (!request.isUserInitiated())
        return;
    if (showsNetworkPage()) {
        m_toNetwork = WrittenAddresses::isNetwork(request.requestedUrl());
        load(request.requestedUrl());
        return;
    }
    followIfUsersLink(request.requestedUrl());
}

void PreviewPage::answerProxy(const QUrl &, QAuthenticator *authenticator, const QString &proxyHost)
{
    // Only our own proxy is ever asked; the engine proves with the run's secret that it is ours.
    const PreviewProxy *proxy = PreviewProxy::shared();
    if (!proxy || proxyHost != QLatin1String("127.0.0.1"))
        return;
    authenticator->setUser(PreviewProxy::user());
    authenticator->setPassword(proxy->secret());
}

void PreviewPage::countDialog()
{
    if (++m_dialogs == maxDialogs)
        emit runaway();
}

void PreviewPage::javaScriptAlert(const QUrl &, const QString &)
{
    countDialog();
}

bool PreviewPage::javaScriptConfirm(const QUrl &, const QString &)
{
    countDialog();
    return true;
}

bool PreviewPage::javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *)
{
    countDialog();
    return false;
}

void PreviewPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) {}

QStringList PreviewPage::chooseFiles(FileSelectionMode, const QStringList &, const QStringList &)
{
    return {};
}
