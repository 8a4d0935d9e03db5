// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserProbe.h"

#include "app/StatusPanels.h"
#include "app/frmAbout.h"
#include "app/frmMainWin.h"
#include "files/DocumentFiles.h"
#include "editor/EditorControl.h"
#include "preview/PreviewBrowser.h"
#include "preview/LocalAddress.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <unistd.h>

using namespace BrowserProbe;

class tst_QuickPreview : public QObject
{
    Q_OBJECT

private slots:
    void startUpMakesNoBrowser();
    void fileHoldsEditorText_data();
    void fileHoldsEditorText();
    void tabClicksAndFocusRefresh();
    void aboutBoxOkRefreshes();
    void unwritableFileChangesNothing_data();
    void unwritableFileChangesNothing();
    void plantedSymlinkIsNotFollowed();
    void refreshKeepsScrollPosition();
    void pageScriptsNeverBlockTheEditor();
    void imageAtAFileAddressShows();
    void newDocumentPreviewShowsItsBody();
};

namespace {

QString tempFile(ScriptedHost &host, const QString &name)
{
    return host.tempFolder() + QLatin1Char('/') + name;
}

// The Preview tab's browser, inside the view the tab holds.
PreviewBrowser *qprevbr(const frmMainWin &w)
{
    const auto *view = w.findChild<QWidget *>(QStringLiteral("qprevbr"));
    return view ? view->findChild<PreviewBrowser *>() : nullptr;
}

QString statusText(const frmMainWin &w)
{
    return w.findChild<StatusPanels *>()->panel(1)->text();
}

} // namespace

void tst_QuickPreview::startUpMakesNoBrowser()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.findChild<QWebEngineView *>(), nullptr);
}

void tst_QuickPreview::fileHoldsEditorText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("windows1252");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    QTest::newRow("empty document") << QString() << false << QByteArray() << QString();
    QTest::newRow("new document is UTF-8") << QStringLiteral("<p>caf\u00e9 \u4f60\u597d</p>\r\n") << false
                                           << QByteArray("<p>caf\xc3\xa9 \xe4\xbd\xa0\xe5\xa5\xbd</p>\r\n")
                                           << QStringLiteral("caf\u00e9 \u4f60\u597d");
    QTest::newRow("Windows-1252 document") << QStringLiteral("<p>cr\u00e8me \u20ac</p>") << true
                                           << QByteArray("<p>cr\xe8me \x80</p>") << QStringLiteral("cr\u00e8me \u20ac");
    QTest::newRow("Windows-1252 cannot hold it") << QStringLiteral("<p>\u00e9 \u4f60</p>") << true
                                                 << QByteArray("<p>\xc3\xa9 \xe4\xbd\xa0</p>") << QStringLiteral("\u00e9 \u4f60");
}

void tst_QuickPreview::fileHoldsEditorText()
{
    QFETCH(QString, text);
    QFETCH(bool, windows1252);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);

    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    if (windows1252)
        w.files().format.encoding = TextFormat::Encoding::Windows1252;
    w.r1().setText(text);
    w.RefreshQuickPreview();

    const QString path = tempFile(host, QStringLiteral("qprev.html"));
    QCOMPARE(pageBytes(path), bytes);
    QVERIFY(!QFile::exists(tempFile(host, QStringLiteral("Temp.html"))));
    // The hidden tab got the file only; its view comes with the tab and shows that file.
    QVERIFY(!w.findChild<QWidget *>(QStringLiteral("qprevbr")));
    PreviewBrowser *view = showPreviewTab(w);
    QVERIFY(view);
    QCOMPARE(view->accessibleName(), QStringLiteral("Preview"));
    QVERIFY(waitShown(view, LocalAddress::url(path)));
    QCOMPARE(bodyText(view), shown);
}

void tst_QuickPreview::tabClicksAndFocusRefresh()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const QString path = tempFile(host, QStringLiteral("qprev.html"));
    auto *maintabs = w.findChild<QTabWidget *>(QStringLiteral("maintabs"));
    QTabBar *tabs = maintabs->tabBar();

    // Either tab refreshes, the hidden preview too.
    for (int tab : {1, 0}) {
        const QString text = QStringLiteral("<p>tab %1</p>").arg(tab);
        w.r1().setText(text);
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        QCOMPARE(pageBytes(path), text.toUtf8());
    }

    PreviewBrowser *view = showPreviewTab(w);
    QVERIFY(waitShown(view, LocalAddress::url(path)));
    tabs->setFocus();
    QTRY_VERIFY(tabs->hasFocus());
    w.r1().setText(QStringLiteral("<p>focus</p>"));
    view->setFocus();
    QTRY_COMPARE(pageBytes(path), QByteArray("<p>focus</p>"));
    QTRY_COMPARE_WITH_TIMEOUT(bodyText(view), QStringLiteral("focus"), timeout);
}

void tst_QuickPreview::aboutBoxOkRefreshes()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.r1().setText(QStringLiteral("<p>after about</p>"));
    host.answerModal([](QDialog &about) {
        static_cast<frmAbout &>(about).Command1_Click();
        return about.result();
    });
    w.mnuAbout_Click();
    QCOMPARE(pageBytes(tempFile(host, QStringLiteral("qprev.html"))), QByteArray("<p>after about</p>"));
}

void tst_QuickPreview::unwritableFileChangesNothing_data()
{
    QTest::addColumn<bool>("folderGone");
    QTest::addColumn<QString>("message");

    QTest::newRow("no temp folder") << true << QStringLiteral("Could not refresh the preview: disk unplugged");
    QTest::newRow("write fails") << false << QStringLiteral("Could not refresh the preview: disk unplugged");
}

void tst_QuickPreview::unwritableFileChangesNothing()
{
    QFETCH(bool, folderGone);
    QFETCH(QString, message);

    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    const QString path = tempFile(host, QStringLiteral("qprev.html"));
    w.r1().setText(QStringLiteral("<p>before</p>"));
    w.RefreshQuickPreview();
    PreviewBrowser *view = showPreviewTab(w);
    QVERIFY(waitShown(view, LocalAddress::url(path)));

    if (folderGone)
        host.failTempFolder(QStringLiteral("disk unplugged"));
    else
        host.failNextWrite(QStringLiteral("disk unplugged"));
    w.r1().setText(QStringLiteral("<p>after</p>"));
    w.RefreshQuickPreview();

    QCOMPARE(statusText(w), message);
    QCOMPARE(pageBytes(path), QByteArray("<p>before</p>"));
    QCOMPARE(view->url(), LocalAddress::url(path));
    QVERIFY(!view->page()->isLoading());
    QCOMPARE(bodyText(view), QStringLiteral("before"));
    QCOMPARE(w.r1().Text(), QStringLiteral("<p>after</p>"));
    QVERIFY(host.asked().isEmpty());

    // Once the file can be written again the preview catches up and the message goes.
    host.failTempFolder(QString());
    w.RefreshQuickPreview();
    QCOMPARE(pageBytes(path), QByteArray("<p>after</p>"));
    QCOMPARE(statusText(w), QString());
    QTRY_COMPARE_WITH_TIMEOUT(bodyText(view), QStringLiteral("after"), timeout);
}

void tst_QuickPreview::plantedSymlinkIsNotFollowed()
{
    ScriptedHost host;
    QTemporaryDir victim;
    const QString target = victim.filePath(QStringLiteral("chosen.txt"));
    QFile chosen(target);
    QVERIFY(chosen.open(QIODevice::WriteOnly));
    chosen.write("the other user's file");
    chosen.close();
    const QString path = tempFile(host, QStringLiteral("qprev.html"));
    QVERIFY(QFile::link(target, path));

    frmMainWin w(host);
    w.Form_Load();
    w.r1().setText(QStringLiteral("<p>mine</p>"));
    w.RefreshQuickPreview();

    QCOMPARE(fileBytes(target), QByteArray("the other user's file"));
    QVERIFY(!QFileInfo(path).isSymLink());
    QCOMPARE(pageBytes(path), QByteArray("<p>mine</p>"));
}

void tst_QuickPreview::refreshKeepsScrollPosition()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTabBar *tabs = w.findChild<QTabWidget *>(QStringLiteral("maintabs"))->tabBar();
    const QUrl url = LocalAddress::url(tempFile(host, QStringLiteral("qprev.html")));
    const QString page = QStringLiteral("<body style='height:5000px'><p id='p'>%1</p></body>");

    w.r1().setText(page.arg(QStringLiteral("first")));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QTRY_VERIFY_WITH_TIMEOUT(qprevbr(w), timeout);
    PreviewBrowser *view = qprevbr(w);
    QVERIFY(waitShown(view, url));
    evaluate(view, QStringLiteral("window.scrollTo(0, 1200)"));
    QTRY_COMPARE_WITH_TIMEOUT(view->page()->scrollPosition().y(), 1200.0, timeout);

    // Back to the editor, a change, and the Preview tab again: each click refreshes.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    w.r1().setText(page.arg(QStringLiteral("second")));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    w.RefreshQuickPreview();
    QVERIFY(waitShown(view, url));
    QTRY_COMPARE_WITH_TIMEOUT(bodyText(view), QStringLiteral("second"), timeout);
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(view, QStringLiteral("window.scrollY")).toInt(), 1200, timeout);
}

void tst_QuickPreview::pageScriptsNeverBlockTheEditor()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // A box the page opens would hold the editor up: note it and close it.
    bool boxShown = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&boxShown] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            boxShown = true;
            box->close();
        }
    });
    watch.start(20);

    w.r1().setText(QStringLiteral("<script>alert('hello');"
                                  "document.title = 'confirm ' + confirm('sure?') + ', prompt ' + prompt('name?');"
                                  "</script>"));
    w.RefreshQuickPreview();
    PreviewBrowser *view = showPreviewTab(w);
    QVERIFY(waitShown(view, LocalAddress::url(tempFile(host, QStringLiteral("qprev.html")))));
    QTRY_COMPARE_WITH_TIMEOUT(view->title(), QStringLiteral("confirm true, prompt null"), timeout);
    QVERIFY(!boxShown);
}

void tst_QuickPreview::newDocumentPreviewShowsItsBody()
{
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    window.show();
    EditorControl &r1 = window.r1();
    r1.setSelStart(static_cast<int>(r1.Text().indexOf(QStringLiteral("\r\n</BODY>"))));
    r1.setSelText(QStringLiteral("Hello"));
    window.findChild<QTabWidget *>(QStringLiteral("maintabs"))->setCurrentIndex(1);
    QTRY_VERIFY_WITH_TIMEOUT(qprevbr(window), timeout);
    PreviewBrowser *view = qprevbr(window);
    QVERIFY(waitShown(view, LocalAddress::url(host.tempFolder() + QStringLiteral("/qprev.html"))));
    // The template's comment is closed, so the page is not one long comment.
    QCOMPARE(bodyText(view).trimmed(), QStringLiteral("Hello"));
    QCOMPARE(evaluate(view, QStringLiteral("document.title")).toString(), QStringLiteral("Untitled"));
}

// The image dialog writes a picture chosen from the disk as a "file:///" address; the preview
// shows it though the engine loads no "file:" address from a preview's page. The user's text keeps
// the address as written.
void tst_QuickPreview::imageAtAFileAddressShows()
{
    QTemporaryDir pictures;
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString path = pictures.filePath(QStringLiteral("a picture.png"));
    QVERIFY(picture.save(path));
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    const QString text = QStringLiteral("<img src=\"file://%1\" onload=\"document.title = this.naturalWidth\">").arg(path);
    w.r1().setText(text);
    w.RefreshQuickPreview();
    PreviewBrowser *view = showPreviewTab(w);
    QVERIFY(view);
    QTRY_COMPARE_WITH_TIMEOUT(view->title(), QStringLiteral("7"), timeout);
    QCOMPARE(w.r1().Text(), text);
}

ZORVANE_TEST(tst_QuickPreview)
#include "tst_QuickPreview.moc"
