// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewProxy.h"

#include "preview/LocalAddress.h"
#include "preview/LoopbackPeer.h"
#include "preview/PreviewProxyConnection.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QUrl>

#include <unistd.h>

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

QString fileKey(const QByteArray &path)
{
    return QLatin1String("file ") + QString::fromLatin1(path.toPercentEncoding("/"));
}

} // namespace

PreviewProxy::PreviewProxy(QObject *parent)
    : QObject(parent)
{
    QByteArray random(24, '\0');
    QRandomGenerator::system()->generate(random.begin(), random.end());
    m_secret = QString::fromLatin1(random.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
    m_authorization = "basic " + (user() + QLatin1Char(':') + m_secret).toLatin1().toBase64();
    connect(&m_server, &QTcpServer::newConnection, this, &PreviewProxy::accept);
}

QString PreviewProxy::user()
{
    return QStringLiteral("zorvane-preview");
}

void PreviewProxy::accept()
{
    while (m_open < maxConnections) {
        QTcpSocket *socket = m_server.nextPendingConnection();
        if (!socket)
            return;
        // Another user's process gets nothing, not even an answer.
        const std::optional<unsigned> peer = LoopbackPeer::userOf(*socket);
        if (peer && *peer != ::getuid()) {
            socket->abort();
            delete socket;
            continue;
        }
        ++m_open;
        auto *connection = new PreviewProxyConnection(socket, *this, this);
        connect(connection, &QObject::destroyed, this, [this] {
            --m_open;
            if (m_open < maxConnections) {
                m_server.resumeAccepting();
                if (m_server.hasPendingConnections())
                    accept();
            }
        });
    }
    m_server.pauseAccepting();
}

bool PreviewProxy::isAuthorized(const QByteArray &headers) const
{
    for (const QByteArray &line : headers.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "proxy-authorization") {
            const QByteArray value = line.mid(colon + 1).trimmed();
            const qsizetype space = value.indexOf(' ');
            // The scheme's name is case-blind; the credentials are not.
            if (space > 0 && value.left(space).toLower() + value.mid(space) == m_authorization)
                return true;
        }
    }
    return false;
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
    if (LocalAddress::isLocal(url)) {
        const QByteArray path = LocalAddress::localPath(url);
        if (path.isEmpty())
            return;
        entry = fileKey(path);
    } else if (scheme == QLatin1String("https") || scheme == QLatin1String("wss")) {
        entry = key("tls", host, static_cast<quint16>(url.port(443)));
    } else if (scheme == QLatin1String("http")) {
        entry = key("http", host, static_cast<quint16>(url.port(80)));
    } else if (scheme == QLatin1String("ws")) {
        entry = key("ws", host, static_cast<quint16>(url.port(80)));
    } else {
        return;
    }
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

QByteArray PreviewProxy::localFile(const QUrl &url) const
{
    const QByteArray path = LocalAddress::localPath(url);
    return !path.isEmpty() && recent(fileKey(path)) ? path : QByteArray();
}
