// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewProxy.h"

#include "preview/PreviewProxyConnection.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTcpSocket>
#include <QUrl>

namespace {

// Long enough for the engine to open its connection after the filter's answer, short enough
// that a server the page once loaded from is no open door later.
constexpr qint64 approvalMs = 10000;
// A bound on the memory a page can make the list take.
constexpr qsizetype maxApprovals = 4096;

QString key(const char *kind, const QString &host, quint16 port)
{
    return QStringLiteral("%1 %2:%3").arg(QLatin1String(kind), host.toLower()).arg(port);
}

} // namespace

PreviewProxy::PreviewProxy(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection())
            new PreviewProxyConnection(socket, *this);
    });
}

PreviewProxy *PreviewProxy::shared()
{
    static QPointer<PreviewProxy> proxy;
    static bool tried = false;
    if (!tried) {
        tried = true;
        auto *made = new PreviewProxy(QCoreApplication::instance());
        if (made->listen())
            proxy = made;
        else
            delete made;
    }
    return proxy;
}

bool PreviewProxy::listen()
{
    return m_server.listen(QHostAddress::LocalHost);
}

void PreviewProxy::approve(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    const QString host = url.host();
    if (host.isEmpty())
        return;
    QString entry;
    if (scheme == QLatin1String("https") || scheme == QLatin1String("wss"))
        entry = key("tls", host, static_cast<quint16>(url.port(443)));
    else if (scheme == QLatin1String("http"))
        entry = key("http", host, static_cast<quint16>(url.port(80)));
    else if (scheme == QLatin1String("ws"))
        entry = key("ws", host, static_cast<quint16>(url.port(80)));
    else
        return;
    if (m_approved.size() >= maxApprovals) {
        for (auto it = m_approved.begin(); it != m_approved.end();)
            it = it->hasExpired(approvalMs) ? m_approved.erase(it) : std::next(it);
        if (m_approved.size() >= maxApprovals)
            m_approved.clear();
    }
    m_approved[entry].start();
}

bool PreviewProxy::recent(const QString &entry) const
{
    const auto it = m_approved.constFind(entry);
    return it != m_approved.cend() && !it->hasExpired(approvalMs);
}

PreviewProxy::Route PreviewProxy::tunnelRoute(const QString &host, quint16 port) const
{
    // A WebSocket goes through a tunnel in plain text; everything else through one is TLS.
    if (recent(key("ws", host, port)))
        return Route::Tunnel;
    if (recent(key("tls", host, port)))
        return Route::TlsTunnel;
    return Route::Refused;
}

bool PreviewProxy::mayFetch(const QString &host, quint16 port) const
{
    return recent(key("http", host, port));
}
