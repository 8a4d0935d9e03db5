// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewRequestFilter.h"

#include "preview/LocalAddress.h"
#include "preview/PreviewProxy.h"
#include "preview/WrittenAddresses.h"

#include <QWebEngineUrlRequestInfo>

namespace {

// Whether url names a file in the folder of the local page at page, or below it.
bool inPageFolder(const QUrl &url, const QUrl &page)
{
    const QByteArray path = LocalAddress::localPath(url);
    QByteArray folder = LocalAddress::localPath(page);
    folder.truncate(folder.lastIndexOf('/') + 1);
    return !folder.isEmpty() && path.startsWith(folder) && !path.contains("/../") && !path.contains("/./");
}

} // namespace

PreviewRequestFilter::PreviewRequestFilter(std::function<bool()> showsNetworkPage, std::function<bool()> remoteAllowed,
                                           QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent)
    , m_showsNetworkPage(std::move(showsNetworkPage))
    , m_remoteAllowed(std::move(remoteAllowed))
{
}

void PreviewRequestFilter::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!allows(info))
        info.block(true);
    else if (PreviewProxy *proxy = PreviewProxy::shared())
        proxy->approve(info.requestUrl());
}

bool PreviewRequestFilter::allows(QWebEngineUrlRequestInfo &info)
{
    const QUrl url = info.requestUrl();
    const QWebEngineUrlRequestInfo::ResourceType type = info.resourceType();
    // A "file:" page is one origin with every local file; the engine refuses a "file:" address
    // from our pages by itself, and nothing of it gets through here either.
    if (url.isLocalFile())
        return false;
    // The page has already decided on a navigation of the whole view: only the user's own.
    if (type == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return true;
    const bool passive =
        type == QWebEngineUrlRequestInfo::ResourceTypeStylesheet || type == QWebEngineUrlRequestInfo::ResourceTypeScript ||
        type == QWebEngineUrlRequestInfo::ResourceTypeImage || type == QWebEngineUrlRequestInfo::ResourceTypeFontResource ||
        type == QWebEngineUrlRequestInfo::ResourceTypeMedia;
    // A local file as a document or as data (XHR, fetch, frame, object, worker, prefetch) would
    // be one a script reads, whatever its origin.
    if (LocalAddress::isLocal(url)) {
        if (!passive || m_showsNetworkPage())
            return false;
        // With remote content on, what a script reads could leave: only the page's own folder.
        return !m_remoteAllowed() || inPageFolder(url, info.firstPartyUrl());
    }
    if (!WrittenAddresses::isNetwork(url))
        return true;
    if (m_showsNetworkPage())
        return WrittenAddresses::isNetwork(info.firstPartyUrl());
    // A local page: remote content is what it displays, fetched from a web server. Whatever it
    // may load, a script can choose which and when, a channel for what it holds; that is the
    // user's to allow, and never for the requests a script makes to talk to a server.
    const QString scheme = url.scheme().toLower();
    const bool remoteContent =
        passive && info.requestMethod() == "GET" && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
    if (!remoteContent)
        return false;
    emit remoteContentRequested();
    return m_remoteAllowed();
}
