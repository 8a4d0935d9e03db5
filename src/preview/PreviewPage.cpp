// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewPage.h"

#include "preview/PreviewProfile.h"
#include "preview/PreviewRequestFilter.h"

#include <QWebEngineNewWindowRequest>

namespace {

// How long after a click or a key press a navigation still counts as the user's.
constexpr qint64 userActionMs = 1000;

} // namespace

PreviewPage::PreviewPage(QObject *parent)
    : QWebEnginePage(PreviewProfile::shared(), parent)
{
    setUrlRequestInterceptor(new PreviewRequestFilter(*this));
    connect(this, &QWebEnginePage::newWindowRequested, this, &PreviewPage::openNewWindow);
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, Feature feature) { setFeaturePermission(origin, feature, PermissionDeniedByUser); });
}

void PreviewPage::setPageText(const QString &text)
{
    m_addresses = WrittenAddresses(text);
}

void PreviewPage::noteUserInput()
{
    m_lastInput.start();
}

bool PreviewPage::showsNetworkPage() const
{
    return WrittenAddresses::isNetwork(url());
}

bool PreviewPage::userJustActed() const
{
    return m_lastInput.isValid() && m_lastInput.elapsed() < userActionMs;
}

bool PreviewPage::mayGoTo(const QUrl &url) const
{
    return !WrittenAddresses::isNetwork(url) || showsNetworkPage() || m_addresses.contains(url);
}

bool PreviewPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // The request filter decides what a frame may load.
    if (!isMainFrame)
        return true;
    switch (type) {
    case NavigationTypeTyped: // the program's own loads
        m_toNetwork = false;
        return true;
    case NavigationTypeReload:
    case NavigationTypeBackForward:
        return true;
    case NavigationTypeRedirect:
        return userJustActed() && (m_toNetwork || mayGoTo(url));
    case NavigationTypeFormSubmitted:
        // A form's fields would carry whatever a script put in them.
        if (WrittenAddresses::isNetwork(url) && !showsNetworkPage())
            return false;
        break;
    default:
        break;
    }
    if (!userJustActed() || !mayGoTo(url))
        return false;
    m_toNetwork = WrittenAddresses::isNetwork(url);
    return true;
}

void PreviewPage::openNewWindow(QWebEngineNewWindowRequest &request)
{
    const QUrl url = request.requestedUrl();
    if (!request.isUserInitiated() || !mayGoTo(url))
        return;
    m_toNetwork = WrittenAddresses::isNetwork(url);
    load(url);
}

void PreviewPage::javaScriptAlert(const QUrl &, const QString &) {}

bool PreviewPage::javaScriptConfirm(const QUrl &, const QString &)
{
    return true;
}

bool PreviewPage::javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *)
{
    return false;
}
