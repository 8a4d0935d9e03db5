// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preview/ProxyPolicy.h"

#include <QElapsedTimer>
#include <QHash>
#include <QTcpServer>

class QUrl;

// The browser engine's only way out: an HTTP proxy on 127.0.0.1 that relays a connection only to
// a server PreviewRequestFilter let a request through to moments before. It is also the only
// server of the previews' local addresses (LocalAddress): it answers one with the file, as a
// sandboxed document, when the filter let a request for that file through moments before. Peer connections
// (WebRTC) pass no request filter, but with their UDP off they go through the proxy like
// everything else, so a TURN server a script names is refused here.
//
// Only our own engine may use it: a connection from another user's process is dropped as soon as
// it is accepted, and every request must carry the run's secret as its proxy credentials, which
// the engine gets from PreviewPage. At most maxConnections are open at once (the rest wait in the
// kernel's queue, costing the editor no descriptor), and a client that has not sent its request
// within headMs is closed, so no flood can use up the editor's files or hold up its window.
class PreviewProxy : public QObject, public ProxyPolicy
{
    Q_OBJECT

public:
    explicit PreviewProxy(QObject *parent = nullptr);

    // Started on first use, on an ephemeral port, and owned by the application; null when no
    // port could be had.
    static PreviewProxy *shared();

    static constexpr int maxConnections = 64;

    // Listens on 127.0.0.1, on a port of the system's choice.
    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    int openConnections() const { return m_open; }

    // The credentials the engine proves itself with: a fixed user and a secret of this run.
    static QString user();
    QString secret() const { return m_secret; }
    bool isAuthorized(const QByteArray &headers) const override;

    // The engine is about to fetch url: its server may be reached for a short while.
    void approve(const QUrl &url);

    Route tunnelRoute(const QString &host, quint16 port) const override;
    bool mayFetch(const QString &host, quint16 port) const override;
    QByteArray localFile(const QUrl &url) const override;

private:
    bool recent(const QString &key) const;
    void accept();

    QTcpServer m_server;
    QString m_secret;
    QByteArray m_authorization;
    int m_open = 0;
    // "kind host:port" (or "file path") -> when the filter last let a request through to it.
    QHash<QString, QElapsedTimer> m_approved;
};
