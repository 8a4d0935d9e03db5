// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <map>

// A web server on 127.0.0.1 that notes every connection and the request line of every request.
// It serves the paths it was given and answers 404 to the rest; each connection is closed after
// one answer or after a second of silence, and the server stops with the object.
class LoopbackServer
{
public:
    LoopbackServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    bool isListening() const { return m_server.isListening(); }
    // The address of path on this server, as a page would write it.
    QString address(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    quint16 port() const { return m_server.serverPort(); }

    void serve(const QString &path, const QByteArray &contentType, const QByteArray &body)
    {
        m_pages[path] = {contentType, body};
    }

    int connections() const { return m_connections; }
    // "GET /path?query HTTP/1.1", one per request, in the order they came.
    QStringList requests() const { return m_requests; }

private:
    struct Page {
        QByteArray contentType;
        QByteArray body;
    };

    void serve(QTcpSocket *socket)
    {
        ++m_connections;
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(1000, socket, [socket] { socket->abort(); });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray &head = m_heads[socket];
            head += socket->readAll();
            if (!head.contains("\r\n\r\n"))
                return;
            const QString line = QString::fromLatin1(head.left(head.indexOf("\r\n")));
            m_heads.erase(socket);
            m_requests << line;
            const QString path = line.section(QLatin1Char(' '), 1, 1);
            const auto page = m_pages.find(path);
            QByteArray answer;
            if (page == m_pages.end()) {
                answer = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            } else {
                answer = "HTTP/1.1 200 OK\r\nContent-Type: " + page->second.contentType +
                         "\r\nContent-Length: " + QByteArray::number(page->second.body.size()) + "\r\nConnection: close\r\n\r\n" +
                         page->second.body;
            }
            socket->write(answer);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    std::map<QString, Page> m_pages;
    std::map<QTcpSocket *, QByteArray> m_heads;
    QStringList m_requests;
    int m_connections = 0;
};
