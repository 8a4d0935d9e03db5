// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackServer.h"

#include "preview/LocalAddress.h"
#include "preview/PreviewProxy.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <arpa/inet.h>
#include <grp.h>
#include <memory>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// The proxy every connection of the browser engine goes through: it must relay what the request
// filter approved and nothing else, whatever a client sends it.
class tst_PreviewProxy : public QObject
{
    Q_OBJECT

private slots:
    void relaysOnlyWhatWasApproved_data();
    void relaysOnlyWhatWasApproved();
    void servesApprovedLocalFilesOnly_data();
    void servesApprovedLocalFilesOnly();
    void largeAnswerArrivesWhole_data();
    void largeAnswerArrivesWhole();
    void overlongHeadIsRefused();
    void silentClientsAreClosedAndCapped();
    void floodFromAnotherUserCostsNothing();
};

namespace {

// Sends bytes to the proxy and collects what comes back until the proxy closes.
QByteArray exchange(quint16 port, const QByteArray &bytes)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    // The proxy runs in this thread: it must go on accepting while the client waits.
    if (!QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }, 10000))
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

// The request with proxy credentials after its first line: "SECRET" stands for the run's secret.
QByteArray withCredentials(const QByteArray &request, const QString &user, const QString &password)
{
    const qsizetype lineEnd = request.indexOf("\r\n");
    if (lineEnd < 0)
        return request;
    return request.left(lineEnd + 2) + "Proxy-Authorization: Basic " +
           (user + QLatin1Char(':') + password).toLatin1().toBase64() + "\r\n" + request.mid(lineEnd + 2);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

int openDescriptors()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

// A process of the user nobody that opens connections to port and holds them, silent, until
// it is told to stop: another local account trying to wear the proxy down.
class ForeignFlood
{
public:
    ForeignFlood(quint16 port, int connections)
    {
        int ready[2];
        int stop[2];
        if (::pipe(ready) != 0 || ::pipe(stop) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            // Only system calls from here on: the parent has threads.
            ::close(ready[0]);
            ::close(stop[1]);
            const rlimit files{static_cast<rlim_t>(connections + 16), static_cast<rlim_t>(connections + 16)};
            ::setrlimit(RLIMIT_NOFILE, &files);
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(1);
            sockaddr_in proxy{};
            proxy.sin_family = AF_INET;
            proxy.sin_port = htons(port);
            proxy.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            for (int i = 0; i < connections; ++i) {
                const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
                if (socket >= 0)
                    ::connect(socket, reinterpret_cast<const sockaddr *>(&proxy), sizeof proxy);
            }
            char byte = 'r';
            if (::write(ready[1], &byte, 1) != 1)
                ::_exit(1);
            while (::read(stop[0], &byte, 1) > 0) {
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(stop[0]);
        m_stop = stop[1];
        char byte = 0;
        m_started = m_pid > 0 && ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
    }
    ~ForeignFlood()
    {
        if (m_stop >= 0)
            ::close(m_stop);
        if (m_pid > 0)
            ::waitpid(m_pid, nullptr, 0);
    }
    ForeignFlood(const ForeignFlood &) = delete;
    ForeignFlood &operator=(const ForeignFlood &) = delete;

    bool started() const { return m_started; }

private:
    pid_t m_pid = -1;
    int m_stop = -1;
    bool m_started = false;
};

} // namespace

void tst_PreviewProxy::relaysOnlyWhatWasApproved_data()
{
    QTest::addColumn<QString>("credentials");
    QTest::addColumn<QString>("approved");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answerStart");
    QTest::addColumn<QStringList>("serverHears");

    const QByteArray tlsStart("\x16\x03\x01\x00\x05hello\r\n\r\n", 14);
    const QByteArray stunStart("\x00\x03\x00\x00\x21\x12\xa4\x42", 8);
    QTest::newRow("approved http address is fetched for the engine")
        << QStringLiteral("SECRET") << "http://127.0.0.1:PORT/a.css"
        << QByteArray("GET http://127.0.0.1:PORT/a.css?x=1 HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\n"
                      "Proxy-Connection: keep-alive\r\n\r\n")
        << QByteArray("HTTP/1.1 200 OK") << QStringList{QStringLiteral("GET /a.css?x=1 HTTP/1.1")};
    QTest::newRow("server never approved") << QStringLiteral("SECRET") << "http://127.0.0.1:1/a.css"
                                           << QByteArray("GET http://127.0.0.1:PORT/a.css HTTP/1.1\r\nHost: x\r\n\r\n")
                                           << QByteArray("HTTP/1.1 403") << QStringList();
    QTest::newRow("tunnel to a server never approved")
        << QStringLiteral("SECRET") << QString() << QByteArray("CONNECT 127.0.0.1:PORT HTTP/1.1\r\n\r\n") + stunStart
        << QByteArray("HTTP/1.1 403") << QStringList();
    QTest::newRow("tunnel to a server approved for plain http")
        << QStringLiteral("SECRET") << "http://127.0.0.1:PORT/a.css"
        << QByteArray("CONNECT 127.0.0.1:PORT HTTP/1.1\r\n\r\n") + tlsStart << QByteArray("HTTP/1.1 403") << QStringList();
    QTest::newRow("TLS through a tunnel to an approved https server")
        << QStringLiteral("SECRET") << "https://127.0.0.1:PORT/a.css"
        << QByteArray("CONNECT 127.0.0.1:PORT HTTP/1.1\r\n\r\n") + tlsStart
        << QByteArray("HTTP/1.1 200 Connection Established\r\n\r\nHTTP/1.1 404")
        << QStringList{QString::fromLatin1(tlsStart.left(tlsStart.indexOf('\r')))};
    // A TURN server on a host the page loads from still gets nothing but TLS: the client is cut off.
    QTest::newRow("plain bytes through a tunnel to an approved https server")
        << QStringLiteral("SECRET") << "https://127.0.0.1:PORT/a.css"
        << QByteArray("CONNECT 127.0.0.1:PORT HTTP/1.1\r\n\r\n") + stunStart << QByteArray() << QStringList();
    QTest::newRow("request not meant for a proxy")
        << QStringLiteral("SECRET") << "http://127.0.0.1:PORT/a.css" << QByteArray("GET /a.css HTTP/1.1\r\n\r\n")
        << QByteArray("HTTP/1.1 400") << QStringList();
    QTest::newRow("tunnel without a port") << QStringLiteral("SECRET") << "https://127.0.0.1:PORT/"
                                           << QByteArray("CONNECT 127.0.0.1 HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 400")
                                           << QStringList();
    QTest::newRow("no credentials") << QString() << "http://127.0.0.1:PORT/a.css"
                                    << QByteArray("GET http://127.0.0.1:PORT/a.css?x=1 HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\n\r\n")
                                    << QByteArray("HTTP/1.1 407") << QStringList();
    QTest::newRow("wrong secret") << QStringLiteral("guess") << "https://127.0.0.1:PORT/a.css"
                                  << QByteArray("CONNECT 127.0.0.1:PORT HTTP/1.1\r\n\r\n") + tlsStart
                                  << QByteArray("HTTP/1.1 407") << QStringList();
    QTest::newRow("garbage") << QStringLiteral("SECRET") << "http://127.0.0.1:PORT/" << QByteArray("\x00\x01\x02\r\n\r\n", 7)
                             << QByteArray("HTTP/1.1 400") << QStringList();
}

void tst_PreviewProxy::relaysOnlyWhatWasApproved()
{
    QFETCH(QString, credentials);
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

    request.replace("PORT", port);
    if (!credentials.isEmpty())
        request =
            withCredentials(request, PreviewProxy::user(), credentials == QLatin1String("SECRET") ? proxy.secret() : credentials);
    const QByteArray answer = exchange(proxy.port(), request);
    QVERIFY2(answer.startsWith(answerStart), answer.toPercentEncoding().constData());
    QCOMPARE(server.requests(), serverHears);
    QCOMPARE(server.connections(), serverHears.size());
}

void tst_PreviewProxy::servesApprovedLocalFilesOnly_data()
{
    QTest::addColumn<QString>("approved");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QByteArray>("answerStart");

    QTest::newRow("approved file") << "page.html" << QByteArray("GET") << "page.html" << QByteArray("HTTP/1.1 200 OK");
    QTest::newRow("file never approved") << QString() << QByteArray("GET") << "page.html" << QByteArray("HTTP/1.1 403");
    QTest::newRow("another file approved") << "other.html" << QByteArray("GET") << "page.html" << QByteArray("HTTP/1.1 403");
    QTest::newRow("approved file, posted to") << "page.html" << QByteArray("POST") << "page.html" << QByteArray("HTTP/1.1 405");
    QTest::newRow("approved, missing") << "missing.html" << QByteArray("GET") << "missing.html" << QByteArray("HTTP/1.1 404");
    QTest::newRow("approved folder") << "." << QByteArray("GET") << "." << QByteArray("HTTP/1.1 404");
    QTest::newRow("approved file, through a tunnel")
        << "page.html" << QByteArray("CONNECT") << "page.html" << QByteArray("HTTP/1.1 403");
}

// The proxy is the only server of the previews' local addresses: a file the filter let through
// comes back sandboxed, anything else is refused without a name being looked up.
void tst_PreviewProxy::servesApprovedLocalFilesOnly()
{
    QFETCH(QString, approved);
    QFETCH(QByteArray, method);
    QFETCH(QString, requested);
    QFETCH(QByteArray, answerStart);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray page = "<p>\xc3\xa9t\xc3\xa9</p>";
    writeFile(dir.filePath(QStringLiteral("page.html")), page);
    PreviewProxy proxy;
    QVERIFY(proxy.listen());
    if (!approved.isEmpty())
        proxy.approve(LocalAddress::url(dir.filePath(approved)));

    const QUrl url = LocalAddress::url(dir.filePath(requested));
    const QByteArray target = method == "CONNECT" ? url.host().toLatin1() + ":80" : url.toEncoded();
    const QByteArray answer =
        exchange(proxy.port(), withCredentials(method + ' ' + target + " HTTP/1.1\r\nHost: " + url.host().toLatin1() + "\r\n\r\n",
                                               PreviewProxy::user(), proxy.secret()));
    QVERIFY2(answer.startsWith(answerStart), answer.toPercentEncoding().constData());
    if (!answerStart.endsWith("OK"))
        return;
    const QByteArray head = answer.left(answer.indexOf("\r\n\r\n") + 2).toLower();
    QVERIFY(head.contains("\r\ncontent-type: text/html;charset=utf-8\r\n"));
    QVERIFY(head.contains("\r\ncontent-security-policy: sandbox allow-scripts "));
    QVERIFY(!head.contains("allow-same-origin"));
    QVERIFY(head.contains("\r\ncache-control: no-store\r\n"));
    QCOMPARE(answer.mid(answer.indexOf("\r\n\r\n") + 4), page);
}

void tst_PreviewProxy::largeAnswerArrivesWhole_data()
{
    QTest::addColumn<bool>("localFile");

    QTest::newRow("from a server") << false;
    QTest::newRow("from a local file") << true;
}

// Far more than the proxy buffers, closed by the server right after: all of it must still arrive.
void tst_PreviewProxy::largeAnswerArrivesWhole()
{
    QFETCH(bool, localFile);

    QByteArray body(3 * 1024 * 1024, 'x');
    for (qsizetype i = 0; i < body.size(); i += 1000)
        body[i] = static_cast<char>('a' + i % 26);
    LoopbackServer server;
    QVERIFY(server.isListening());
    server.serve(QStringLiteral("/big"), "application/octet-stream", body);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("big.bin"));
    writeFile(path, body);
    PreviewProxy proxy;
    QVERIFY(proxy.listen());
    const QString address = localFile ? LocalAddress::url(path).toString() : server.address(QStringLiteral("/big"));
    proxy.approve(QUrl(address));

    const QByteArray answer = exchange(proxy.port(), withCredentials("GET " + address.toLatin1() + " HTTP/1.1\r\nHost: x\r\n\r\n",
                                                                     PreviewProxy::user(), proxy.secret()));
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

// Clients that connect and say nothing hold no more than the cap of connections, and each of
// them only until the deadline for its request.
void tst_PreviewProxy::silentClientsAreClosedAndCapped()
{
    PreviewProxy proxy;
    QVERIFY(proxy.listen());
    std::vector<std::unique_ptr<QTcpSocket>> silent;
    for (int i = 0; i < PreviewProxy::maxConnections + 20; ++i) {
        silent.push_back(std::make_unique<QTcpSocket>());
        silent.back()->connectToHost(QHostAddress::LocalHost, proxy.port());
    }
    QTRY_COMPARE(proxy.openConnections(), PreviewProxy::maxConnections);
    const auto closed = [&] {
        return std::all_of(silent.begin(), silent.end(),
                           [](const auto &socket) { return socket->state() == QAbstractSocket::UnconnectedState; });
    };
    QVERIFY(QTest::qWaitFor(closed, 4 * PreviewProxy::headMs));
    QTRY_COMPARE(proxy.openConnections(), 0);
}

// Another user's thousands of idle connections cost the editor no descriptors, and the engine's
// own requests are still answered while they are held open.
void tst_PreviewProxy::floodFromAnotherUserCostsNothing()
{
    if (::getuid() != 0)
        QSKIP("needs root to run the flood as another user");
    LoopbackServer server;
    QVERIFY(server.isListening());
    server.serve(QStringLiteral("/a.css"), "text/css", "p {}");
    PreviewProxy proxy;
    QVERIFY(proxy.listen());
    const QString address = server.address(QStringLiteral("/a.css"));
    proxy.approve(QUrl(address));
    const int before = openDescriptors();

    ForeignFlood flood(proxy.port(), 3000);
    QVERIFY(flood.started());
    const QByteArray request =
        withCredentials("GET " + address.toLatin1() + " HTTP/1.1\r\nHost: x\r\n\r\n", PreviewProxy::user(), proxy.secret());
    for (int i = 0; i < 3; ++i) {
        const QByteArray answer = exchange(proxy.port(), request);
        QVERIFY2(answer.startsWith("HTTP/1.1 200 OK"), answer.left(100).constData());
        QVERIFY(proxy.openConnections() <= 1);
        QVERIFY2(openDescriptors() < before + 64, qPrintable(QString::number(openDescriptors() - before)));
    }
}

ZORVANE_TEST(tst_PreviewProxy)
#include "tst_PreviewProxy.moc"
