// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QUrl;

// What a connection of the preview's proxy asks the proxy it serves: whether a request carries
// the proxy's credentials, and where it may go. PreviewProxy answers; PreviewProxyConnection
// asks, and so depends on this alone.
class ProxyPolicy
{
public:
    // How long a client has to send its request head.
    static constexpr int headMs = 5000;

    enum class Route { Refused, Tunnel, TlsTunnel };

    virtual ~ProxyPolicy() = default;

    // Whether a request head's fields carry the credentials.
    virtual bool isAuthorized(const QByteArray &headers) const = 0;
    // Whether a CONNECT to host:port may pass, and whether only TLS may go through it.
    virtual Route tunnelRoute(const QString &host, quint16 port) const = 0;
    // Whether a request for an absolute http address on host:port may pass.
    virtual bool mayFetch(const QString &host, quint16 port) const = 0;
    // The local file a request for url is answered with, as its path's bytes; empty when url
    // is no local address the proxy may serve.
    virtual QByteArray localFile(const QUrl &url) const = 0;

protected:
    ProxyPolicy() = default;
    ProxyPolicy(const ProxyPolicy &) = default;
    ProxyPolicy &operator=(const ProxyPolicy &) = default;
};
