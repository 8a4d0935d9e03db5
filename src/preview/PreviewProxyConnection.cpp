// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewProxyConnection.h"

#include "preview/LocalFile.h"
#include "preview/ProxyPolicy.h"

#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>
#include <QUrl>

namespace {

constexpr qsizetype maxHead = 16 * 1024;
constexpr qint64 chunk = 64 * 1024;
// Reading stops while this much waits to be written to the other side.
constexpr qint64 maxBacklog = 256 * 1024;
constexpr int idleMs = 60000;
// Every TLS connection opens with a handshake record.
constexpr char tlsHandshake = 0x16;

// What every local file is served with. As a document it is sandboxed without the same origin:
// its origin is opaque, so every file it loads, the others of its folder included, is another
// origin's, and the engine shows such files but gives the page's scripts nothing of them.
// Scripts, the program's dialog counting (modals), forms and windows still reach PreviewPage,
// which decides on them. Nothing is cached, so a refresh reads the file anew, and no server is
// told which local page asked it for something.
constexpr char localFields[] = "Content-Security-Policy: sandbox allow-scripts allow-modals allow-forms allow-popups\r\n"
                               "Cache-Control: no-store\r\n"
                               "Referrer-Policy: no-referrer\r\n";

// "host:port" or "[v6]:port"; false when it is neither.
bool splitAuthority(const QByteArray &authority, QString &host, quint16 &port)
{
    const qsizetype colon = authority.lastIndexOf(':');
    if (colon <= 0)
        return false;
    QByteArray name = authority.left(colon);
    if (name.startsWith('[') && name.endsWith(']'))
        name = name.mid(1, name.size() - 2);
    bool ok = false;
    const uint number = authority.mid(colon + 1).toUInt(&ok);
    if (!ok || number == 0 || number > 65535 || name.isEmpty())
        return false;
    host = QUrl::fromAce(name).toLower();
    port = static_cast<quint16>(number);
    return true;
}

} // namespace

PreviewProxyConnection::PreviewProxyConnection(QTcpSocket *client, const ProxyPolicy &policy, QObject *parent)
    : QObject(parent)
    , m_policy(policy)
    , m_client(client)
{
    m_client->setParent(this);
    m_client->setReadBufferSize(chunk);
    m_idle.setSingleShot(true);
    // Until its request has come, a client has a short while; then a spell of silence ends it.
    m_idle.setInterval(ProxyPolicy::headMs);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        m_client->abort();
        if (m_upstream)
            m_upstream->abort();
        deleteLater();
    });
    m_idle.start();
    connect(m_client, &QTcpSocket::readyRead, this, [this] {
        // The request head has one deadline, however slowly its bytes trickle in.
        if (m_state != State::Head)
            m_idle.start();
        if (m_state == State::Head)
            readHead();
        else if (m_state == State::TunnelStart)
            checkTunnelStart();
        else if (m_state == State::Relaying)
            pump(m_client, m_upstream);
    });
    connect(m_client, &QTcpSocket::bytesWritten, this, [this] {
        m_idle.start();
        if (m_state == State::Relaying)
            pump(m_upstream, m_client);
        else if (m_state == State::Serving)
            sendFile();
        else if (m_state == State::Closing)
            close();
    });
    connect(m_client, &QTcpSocket::disconnected, this, &PreviewProxyConnection::close);
    if (m_client->bytesAvailable() > 0)
        readHead();
}

void PreviewProxyConnection::readHead()
{
    m_head += m_client->read(maxHead + 1 - m_head.size());
    const qsizetype end = m_head.indexOf("\r\n\r\n");
    if (end < 0) {
        if (m_head.size() > maxHead)
            refuse("431 Request Header Fields Too Large");
        return;
    }
    const QByteArray rest = m_head.mid(end + 4);
    const qsizetype lineEnd = m_head.indexOf("\r\n");
    const QList<QByteArray> parts = m_head.left(lineEnd).split(' ');
    const QByteArray headers = m_head.mid(lineEnd + 2, end + 2 - (lineEnd + 2));
    m_head.clear();
    if (parts.size() != 3) {
        refuse("400 Bad Request");
        return;
    }
    if (!m_policy.isAuthorized(headers)) {
        refuse("407 Proxy Authentication Required\r\nProxy-Authenticate: Basic realm=\"Zorvane preview\"");
        return;
    }
    m_idle.setInterval(idleMs);
    m_idle.start();
    m_pending = rest;
    if (parts.at(0) == "CONNECT")
        startTunnel(parts.at(1));
    else
        startFetch(parts.at(0), parts.at(1), parts.at(2), headers);
}

void PreviewProxyConnection::startTunnel(const QByteArray &target)
{
    if (!splitAuthority(target, m_host, m_port)) {
        refuse("400 Bad Request");
        return;
    }
    const ProxyPolicy::Route route = m_policy.tunnelRoute(m_host, m_port);
    if (route == ProxyPolicy::Route::Refused) {
        refuse("403 Forbidden");
        return;
    }
    m_tlsOnly = route == ProxyPolicy::Route::TlsTunnel;
    m_client->write("HTTP/1.1 200 Connection Established\r\n\r\n");
    // The server is reached only once the first bytes show what goes through.
    m_state = State::TunnelStart;
    checkTunnelStart();
}

void PreviewProxyConnection::checkTunnelStart()
{
    m_pending += m_client->read(chunk);
    if (m_pending.isEmpty())
        return;
    if (m_tlsOnly && m_pending.at(0) != tlsHandshake) {
        m_client->abort();
        close();
        return;
    }
    connectUpstream(m_host, m_port);
}

void PreviewProxyConnection::startFetch(const QByteArray &method, const QByteArray &target, const QByteArray &version,
                                        const QByteArray &headers)
{
    const QUrl url = QUrl::fromEncoded(target, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("http") || url.host().isEmpty() || !url.userInfo().isEmpty()) {
        refuse("400 Bad Request");
        return;
    }
    const QByteArray local = m_policy.localFile(url);
    if (!local.isEmpty()) {
        serveFile(method, local);
        return;
    }
    const auto port = static_cast<quint16>(url.port(80));
    // A request for the proxy itself would come back to it for ever.
    const bool itself = port == m_client->localPort() && QHostAddress(url.host()) == m_client->localAddress();
    if (itself || !m_policy.mayFetch(url.host(), port)) {
        refuse("403 Forbidden");
        return;
    }
    // The server gets the request as if asked directly, and one request per connection, so the
    // next request (perhaps for another server) comes on a connection of its own.
    QByteArray request = method + ' ' + url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (url.path().isEmpty())
        request += '/';
    request += ' ' + version + "\r\n";
    for (const QByteArray &line : headers.split('\n')) {
        const QByteArray field = line.trimmed();
        const QByteArray name = field.left(field.indexOf(':')).trimmed().toLower();
        if (field.isEmpty() || name.startsWith("proxy-") || name == "connection" || name == "keep-alive")
            continue;
        request += field + "\r\n";
    }
    request += "Connection: close\r\n\r\n";
    m_pending.prepend(request);
    connectUpstream(url.host(), port);
}

void PreviewProxyConnection::connectUpstream(const QString &host, quint16 port)
{
    m_state = State::Connecting;
    m_upstream = new QTcpSocket(this);
    m_upstream->setReadBufferSize(chunk);
    connect(m_upstream, &QTcpSocket::connected, this, [this] {
        m_state = State::Relaying;
        m_upstream->write(m_pending);
        m_pending.clear();
        pump(m_client, m_upstream);
    });
    connect(m_upstream, &QTcpSocket::readyRead, this, [this] {
        m_idle.start();
        pump(m_upstream, m_client);
    });
    connect(m_upstream, &QTcpSocket::bytesWritten, this, [this] {
        m_idle.start();
        if (m_state == State::Closing)
            close();
        else
            pump(m_client, m_upstream);
    });
    connect(m_upstream, &QTcpSocket::disconnected, this, &PreviewProxyConnection::close);
    connect(m_upstream, &QTcpSocket::errorOccurred, this, [this] {
        if (m_state == State::Connecting)
            m_client->abort();
        close();
    });
    m_upstream->connectToHost(host, port);
}

void PreviewProxyConnection::serveFile(const QByteArray &method, const QByteArray &path)
{
    if (method != "GET") {
        refuse("405 Method Not Allowed\r\nAllow: GET");
        return;
    }
    m_file = LocalFile::open(path, this);
    if (!m_file) {
        refuse("404 Not Found");
        return;
    }
    m_client->write("HTTP/1.1 200 OK\r\nContent-Type: " + LocalFile::contentType(*m_file, path) + "\r\nContent-Length: " +
                    QByteArray::number(m_file->size()) + "\r\n" + localFields + "Connection: close\r\n\r\n");
    m_state = State::Serving;
    sendFile();
}

void PreviewProxyConnection::sendFile()
{
    while (m_client->state() == QAbstractSocket::ConnectedState && m_client->bytesToWrite() < maxBacklog && !m_file->atEnd()) {
        const QByteArray piece = m_file->read(chunk);
        if (piece.isEmpty()) {
            // A file that cannot be read to its end must not look complete.
            m_client->abort();
            close();
            return;
        }
        m_client->write(piece);
    }
    if (m_file->atEnd()) {
        m_state = State::Closing;
        m_client->disconnectFromHost();
        finishIfDone();
    }
}

void PreviewProxyConnection::pump(QTcpSocket *from, QTcpSocket *to)
{
    if (m_state != State::Relaying && m_state != State::Closing)
        return;
    while (from->bytesAvailable() > 0 && to->state() == QAbstractSocket::ConnectedState && to->bytesToWrite() < maxBacklog)
        to->write(from->read(chunk));
}

void PreviewProxyConnection::refuse(const QByteArray &status)
{
    m_state = State::Closing;
    m_client->write("HTTP/1.1 " + status + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    m_client->disconnectFromHost();
    finishIfDone();
}

void PreviewProxyConnection::close()
{
    if (m_state == State::Relaying)
        m_state = State::Closing;
    if (m_state != State::Closing) {
        // Nothing was relayed yet: there is nothing to hand on.
        m_state = State::Closing;
        m_client->abort();
        if (m_upstream)
            m_upstream->abort();
        finishIfDone();
        return;
    }
    // What one side sent before it closed still reaches the other; a side is closed once the
    // other is gone and all it sent is handed on.
    if (m_upstream) {
        pump(m_upstream, m_client);
        pump(m_client, m_upstream);
    }
    const auto gone = [](QTcpSocket *socket) {
        return !socket || (socket->state() == QAbstractSocket::UnconnectedState && socket->bytesAvailable() == 0);
    };
    if (gone(m_upstream) && m_client->state() == QAbstractSocket::ConnectedState)
        m_client->disconnectFromHost();
    if (m_upstream && gone(m_client) && m_upstream->state() == QAbstractSocket::ConnectedState)
        m_upstream->disconnectFromHost();
    finishIfDone();
}

void PreviewProxyConnection::finishIfDone()
{
    const bool clientDone = m_client->state() == QAbstractSocket::UnconnectedState;
    const bool upstreamDone = !m_upstream || m_upstream->state() == QAbstractSocket::UnconnectedState;
    if (clientDone && upstreamDone)
        deleteLater();
}
