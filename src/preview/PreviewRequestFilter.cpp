// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewRequestFilter.h"

#include "preview/PreviewProxy.h"
#include "preview/WrittenAddresses.h"

#include <QWebEngineUrlRequestInfo>

PreviewRequestFilter::PreviewRequestFilter(std::function<bool()> showsNetworkPage, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent)
    , m_showsNetworkPage(std::move(showsNetworkPage))
{
}

void PreviewRequestFilter::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!allows(info))
        info.block(true);
    else if (PreviewProxy *proxy = PreviewProxy::shared())
        proxy->approve(info.requestUrl());
}

bool PreviewRequestFilter::allows(const QWebEngineUrlRequestInfo &info) const
{
    const QUrl url = info.requestUrl();
    const QWebEngineUrlRequestInfo::ResourceType type = info.resourceType();
    // The page has already decided on a navigation of the whole view: only the user's own.
    if (type == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return true;
    const bool passive =
        type == QWebEngineUrlRequestInfo::ResourceTypeStylesheet || type == QWebEngineUrlRequestInfo::ResourceTypeScript ||
        type == QWebEngineUrlRequestInfo::ResourceTypeImage || type == QWebEngineUrlRequestInfo::ResourceTypeFontResource ||
        type == QWebEngineUrlRequestInfo::ResourceTypeMedia;
    // Every local file is of one origin to the engine, so a file a script could load as a
    // document or as data (XHR, fetch, frame, object, worker, prefetch) would be a file it reads.
    if (url.isLocalFile())
        return passive && !m_showsNetworkPage();
    if (!WrittenAddresses::isNetwork(url))
        return true;
    // A local page reaches no network at all: whatever it may load, a script can choose which
    // and when, and a peer connection can follow an approved host through the proxy.
    return m_showsNetworkPage() && WrittenAddresses::isNetwork(info.firstPartyUrl());
}
