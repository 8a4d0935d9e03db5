// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackServer.h"

#include "preview/PreviewProxy.h"
#include "support/TestMain.h"

#include <QTcpSocket>
#include <QTest>
#include <QUrl>

// The proxy every connection of the browser engine goes through: it must relay what the request
// filter approved and nothing else, whatever a client sends it.
class tst_PreviewProxy : public QObject
{
    Q_OBJECT

private slots:
    void relaysOnlyWhatWasApproved_data();
    void relaysOnlyWhatWasApproved();
    void largeAnswerArrivesWhole();
    void overlongHeadIsRefused();
};

namespace {

// Sends bytes to the proxy and collects what comes back until the proxy closes.
QByteArray exchange(quint16 port, const QByteArray &bytes)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(3000))
        return "no connection";
    socket.write(bytes);
    QByteArray answer;
    const bool closed = QTest::qWaitFor(
        [&] {
            answer += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        3000);
    // Every exchange here ends with the proxy closing the connection.
    return answer + socket.readAll() + (closed ? "" : "[left open]");
}

} // namespace

void tst_PreviewProxy::relaysOnlyWhatWasApproved_data()
{
    QTest::addColumn<QString>("approved");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answerStart");
    QTest::addColumn<QStringList>("serverHears");

    const QByteArray tlsStart("\x16\x03\x01\x00\x05hello\r\n\r\n", 14);
    const QByteArray stunStart("\x00\x03\x00\x00\x21\x12\xa4\x42", 8);
    QTest::newRow("approved http address is fetched for the engine")
        << "http://127.0.0.1:PORT/a.css"
        << QByteArray("GET http://127.0.0.1:PORT/a.css?x=1 HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\n"
                      "Proxy-Connection: keep-alive\r\n\r\n")
        << QByteArray("HTTP/1.1 200 OK") << QStringList{QStringLiteral("GET /a.css?x=1 HTTP/1.1")};
    QTest::newRow("server never approved") << "http://127.0.0.1:1/a.css"
                                           << QByteArray("GET http://127.0.0.1:PORT/a.css HTTP/1.1\r\nHost: x\r\n\r\n")
                                           << QByteArray("HTTP/1.1 403") << QStringList();
    QTest::newRow("tunnel to a server never approved")
        << QString() << QByteArray("CONNECT 127.0.0.1:PORT HTTP/1.1\r\n\r\n") + stunStart << QByteArray("HTTP/1.1 403")
        << QStringList();
    QTest::newRow("tunnel to a server approved for plain http")
        << "http://127.0.0.1:PORT/a.css" << QByteArray("CONNECT 127.0.0.1:PORT HTTP/1.1\r\n\r\n") + tlsStart
        << QByteArray("HTTP/1.1 403") << QStringList();
    QTest::newRow("TLS through a tunnel to an approved https server")
        << "https://127.0.0.1:PORT/a.css" << QByteArray("CONNECT 127.0.0.1:PORT HTTP/1.1\r\n\r\n") + tlsStart
        << QByteArray("HTTP/1.1 200 Connection Established\r\n\r\nHTTP/1.1 404")
        << QStringList{QString::fromLatin1(tlsStart.left(tlsStart.indexOf('\r')))};
    // A TURN server on a host the page loads from still gets nothing but TLS: the client is cut off.
    QTest::newRow("plain bytes through a tunnel to an approved https server")
        << "https://127.0.0.1:PORT/a.css" << QByteArray("CONNECT 127.0.0.1:PORT HTTP/1.1\r\n\r\n") + stunStart << QByteArray()
        << QStringList();
    QTest::newRow("request not meant for a proxy") << "http://127.0.0.1:PORT/a.css" << QByteArray("GET /a.css HTTP/1.1\r\n\r\n")
                                                   << QByteArray("HTTP/1.1 400") << QStringList();
    QTest::newRow("tunnel without a port") << "https://127.0.0.1:PORT/" << QByteArray("CONNECT 127.0.0.1 HTTP/1.1\r\n\r\n")
                                           << QByteArray("HTTP/1.1 400") << QStringList();
    QTest::newRow("garbage") << "http://127.0.0.1:PORT/" << QByteArray("\x00\x01\x02\r\n\r\n", 7) << QByteArray("HTTP/1.1 400")
                             << QStringList();
}

void tst_PreviewProxy::relaysOnlyWhatWasApproved()
{
    QFETCH(QString, approved);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answerStart);
    QFETCH(QStringList, serverHears);

    LoopbackServer server;
    QVERIFY(server.isListening());
    server.serve(QStringLiteral("/a.css?x=1"), "text/css", "p {}");
    const QByteArray port = QByteArray::number(server.port());
    PreviewProxy proxy;
    QVERIFY(proxy.listen());
    if (!approved.isEmpty())
        proxy.approve(QUrl(approved.replace(QLatin1String("PORT"), QString::fromLatin1(port))));

    const QByteArray answer = exchange(proxy.port(), request.replace("PORT", port));
    QVERIFY2(answer.startsWith(answerStart), answer.toPercentEncoding().constData());
    QCOMPARE(server.requests(), serverHears);
    QCOMPARE(server.connections(), serverHears.size());
}

// Far more than the proxy buffers, closed by the server right after: all of it must still arrive.
void tst_PreviewProxy::largeAnswerArrivesWhole()
{
    QByteArray body(3 * 1024 * 1024, 'x');
    for (qsizetype i = 0; i < body.size(); i += 1000)
        body[i] = static_cast<char>('a' + i % 26);
    LoopbackServer server;
    QVERIFY(server.isListening());
    server.serve(QStringLiteral("/big"), "application/octet-stream", body);
    PreviewProxy proxy;
    QVERIFY(proxy.listen());
    const QString address = server.address(QStringLiteral("/big"));
    proxy.approve(QUrl(address));

    const QByteArray answer = exchange(proxy.port(), "GET " + address.toLatin1() + " HTTP/1.1\r\nHost: x\r\n\r\n");
    QVERIFY2(answer.startsWith("HTTP/1.1 200 OK"), answer.left(100).constData());
    QCOMPARE(answer.mid(answer.indexOf("\r\n\r\n") + 4), body);
}

void tst_PreviewProxy::overlongHeadIsRefused()
{
    PreviewProxy proxy;
    QVERIFY(proxy.listen());
    const QByteArray answer = exchange(proxy.port(), "GET http://127.0.0.1/ HTTP/1.1\r\nX: " + QByteArray(64 * 1024, 'a'));
    QVERIFY2(answer.startsWith("HTTP/1.1 431"), answer.left(100).constData());
}

ZORVANE_TEST(tst_PreviewProxy)
#include "tst_PreviewProxy.moc"
