// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEngineUrlRequestInterceptor>

#include <functional>

// Every request of a preview page passes here before it is made. From a local page:
// - a local file is served only as a style sheet, script, image, font or media file of the page;
//   the engine counts all local files as one origin, so a file loaded as a document or as data
//   (XHR, fetch, frame, object, embed, worker, prefetch) would be one a script reads;
// - the network serves only such passive parts and frames, fetched with GET, at addresses the
//   page's text writes out in full. Requests a script makes to talk to a server (XHR and fetch,
//   beacons, pings, WebSockets, event streams, workers, prefetches, form posts) and any address
//   the text does not spell out are blocked, so nothing the page learns leaves the machine.
// A web page the user went to by a click is served as a browser serves it, but reads no files.
class PreviewRequestFilter : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    // showsNetworkPage tells whether the page now shows a web page the user went to, not a file.
    PreviewRequestFilter(std::function<bool()> showsNetworkPage, QObject *parent);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    bool allows(const QWebEngineUrlRequestInfo &info) const;

    std::function<bool()> m_showsNetworkPage;
};
