// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEngineUrlRequestInterceptor>

#include <functional>

// Every request of a preview page passes here before it is made. From a local page:
// - a local file is served only as a style sheet, script, image, font or media file of the page,
//   under a LocalAddress, which is another origin than the page's, so the page displays it but
//   its scripts read nothing of it; a "file:" address is refused, and so is a file loaded as a
//   document or as data (XHR, fetch, frame, object, embed, worker, prefetch);
//   while remote content is allowed, only files in the page's own folder (or below) are served,
//   since what a script reads of them could then leave;
// - the network serves such passive parts, fetched with GET from http and https servers, only
//   when the user let the document load remote content. Requests a script makes to talk to a
//   server (XHR and fetch, beacons, pings, WebSockets, event streams, workers, prefetches, form
//   posts) are always blocked.
// A web page the user went to by a click is served as a browser serves it, but reads no files.
class PreviewRequestFilter : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    // showsNetworkPage tells whether the page now shows a web page the user went to, not a file;
    // remoteAllowed whether the user let the document load remote content.
    PreviewRequestFilter(std::function<bool()> showsNetworkPage, std::function<bool()> remoteAllowed, QObject *parent);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

signals:
    // A local page asked for remote content, which was loaded or blocked as the user chose.
    void remoteContentRequested();

private:
    bool allows(QWebEngineUrlRequestInfo &info);

    std::function<bool()> m_showsNetworkPage;
    std::function<bool()> m_remoteAllowed;
};
