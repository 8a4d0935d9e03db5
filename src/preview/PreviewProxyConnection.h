// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class ProxyPolicy;
class QFile;
class QTcpSocket;

// One client of the preview's proxy: reads its request head, refuses a request without the
// proxy's credentials and what the proxy does not allow, answers a request for a local file with
// the file, and otherwise relays bytes both ways; every buffer is bounded. It ends itself when
// either side closes or after a spell of silence.
class PreviewProxyConnection : public QObject
{
    Q_OBJECT

public:
    // policy answers for the proxy, which owns the connection as its parent.
    PreviewProxyConnection(QTcpSocket *client, const ProxyPolicy &policy, QObject *parent);

private:
    enum class State { Head, TunnelStart, Connecting, Relaying, Serving, Closing };

    void readHead();
    void startTunnel(const QByteArray &target);
    void startFetch(const QByteArray &method, const QByteArray &target, const QByteArray &version, const QByteArray &headers);
    void checkTunnelStart();
    void connectUpstream(const QString &host, quint16 port);
    void serveFile(const QByteArray &method, const QByteArray &path);
    void sendFile();
    void pump(QTcpSocket *from, QTcpSocket *to);
    void refuse(const QByteArray &status);
    void close();
    void finishIfDone();

    const ProxyPolicy &m_policy;
    QTcpSocket *m_client;
    QTcpSocket *m_upstream = nullptr;
    QFile *m_file = nullptr;
    State m_state = State::Head;
    QByteArray m_head;
    // Bytes for the server before it is connected: the rewritten request, or a tunnel's start.
    QByteArray m_pending;
    bool m_tlsOnly = false;
    QString m_host;
    quint16 m_port = 0;
    QTimer m_idle;
};
