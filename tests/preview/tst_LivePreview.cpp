// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserProbe.h"

#include "app/frmMainWin.h"
#include "editor/EditorControl.h"
#include "previewui/Form2.h"
#include "previewui/LivePreview.h"
#include "preview/PreviewBrowser.h"
#include "preview/LocalAddress.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace BrowserProbe;

class tst_LivePreview : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void typingRefreshesOncePerPauseAndKeepsTheFocus();
    void refreshesOnlyWhatIsShown_data();
    void refreshesOnlyWhatIsShown();
    void refreshKeepsTheReadersPlace();
    void choiceIsRemembered();
};

namespace {

QString tempFile(ScriptedHost &host, const QString &name)
{
    return host.tempFolder() + QLatin1Char('/') + name;
}

QAction *livePreview(const frmMainWin &w)
{
    return w.action(QStringLiteral("mnuLivePreview"));
}

LivePreview *liveTimer(const frmMainWin &w)
{
    return w.findChild<LivePreview *>();
}

// The refresh a change left waiting has run, however late its timer fired.
bool refreshHasRun(const frmMainWin &w)
{
    return QTest::qWaitFor([&] { return !liveTimer(w)->isPending(); }, timeout);
}

} // namespace

void tst_LivePreview::cleanup()
{
    QSettings().remove(QStringLiteral("preview/live"));
}

void tst_LivePreview::typingRefreshesOncePerPauseAndKeepsTheFocus()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.r1().setText(QStringLiteral("<p>start</p>"));
    w.mnuPreview_Click();
    auto *form = w.findChild<Form2 *>();
    const QString path = tempFile(host, QStringLiteral("Temp.html"));
    QVERIFY(waitShown(browserOf(form->w1()), LocalAddress::url(path)));

    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget *editor = w.r1().widget();
    editor->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QSignalSpy loads(browserOf(form->w1()), &QWebEngineView::loadStarted);

    // A pause longer than any gap between the keys, however slowly the keys come: each key puts
    // the refresh off again, and none has run when the typing ends.
    LivePreview *live = liveTimer(w);
    QCOMPARE(live->delay(), LivePreview::delayMs);
    live->setDelay(3600 * 1000);
    QTest::keyClicks(editor, QStringLiteral("type"));
    QVERIFY(live->isPending());
    QCOMPARE(loads.count(), 0);
    QCOMPARE(pageBytes(path), QByteArray("<p>start</p>"));

    // The last key, then a pause: one refresh with all of the text.
    live->setDelay(LivePreview::delayMs);
    QTest::keyClick(editor, 'd');
    QVERIFY(refreshHasRun(w));
    QCOMPARE(pageBytes(path), QByteArray("typed<p>start</p>"));
    QTRY_COMPARE_WITH_TIMEOUT(loads.count(), 1, timeout);
    QTRY_VERIFY_WITH_TIMEOUT(bodyText(browserOf(form->w1())).startsWith(QLatin1String("typed")), timeout);
    QVERIFY(!live->isPending());
    QCOMPARE(loads.count(), 1);
    QVERIFY(editor->hasFocus());
    QCOMPARE(QApplication::activeWindow(), &w);
}

void tst_LivePreview::refreshesOnlyWhatIsShown_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("window");
    QTest::addColumn<bool>("live");
    QTest::addColumn<bool>("tabFollows");
    QTest::addColumn<bool>("windowFollows");

    QTest::newRow("Preview tab in front") << 1 << false << true << true << false;
    QTest::newRow("Edit tab in front") << 0 << false << true << false << false;
    QTest::newRow("preview window open") << 0 << true << true << false << true;
    QTest::newRow("switched off") << 1 << true << false << false << false;
}

void tst_LivePreview::refreshesOnlyWhatIsShown()
{
    QFETCH(int, tab);
    QFETCH(bool, window);
    QFETCH(bool, live);
    QFETCH(bool, tabFollows);
    QFETCH(bool, windowFollows);

    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    livePreview(w)->setChecked(live);
    const QString quick = tempFile(host, QStringLiteral("qprev.html"));
    const QString windowFile = tempFile(host, QStringLiteral("Temp.html"));
    w.r1().setText(QStringLiteral("<p>before</p>"));
    w.findChild<QTabWidget *>(QStringLiteral("maintabs"))->setCurrentIndex(tab);
    w.RefreshQuickPreview();
    if (window)
        w.mnuPreview_Click();
    // Whatever the refreshes above left pending has run.
    QVERIFY(refreshHasRun(w));
    const QByteArray quickBefore = pageBytes(quick);
    const QByteArray windowBefore = pageBytes(windowFile);

    w.r1().setText(QStringLiteral("<p>after</p>"));
    QCOMPARE(pageBytes(quick), quickBefore);
    QCOMPARE(pageBytes(windowFile), windowBefore);
    QCOMPARE(liveTimer(w)->isPending(), live);
    QVERIFY(refreshHasRun(w));
    QCOMPARE(pageBytes(quick), tabFollows ? QByteArray("<p>after</p>") : quickBefore);
    QCOMPARE(pageBytes(windowFile), windowFollows ? QByteArray("<p>after</p>") : windowBefore);
    if (tabFollows) {
        QTRY_VERIFY_WITH_TIMEOUT(browserOf(w.findChild<QWidget *>(QStringLiteral("qprevbr"))), timeout);
        QTRY_COMPARE_WITH_TIMEOUT(bodyText(browserOf(w.findChild<QWidget *>(QStringLiteral("qprevbr")))), QStringLiteral("after"), timeout);
    }
    if (windowFollows)
        QTRY_COMPARE_WITH_TIMEOUT(bodyText(browserOf(w.findChild<Form2 *>()->w1())), QStringLiteral("after"), timeout);
}

void tst_LivePreview::refreshKeepsTheReadersPlace()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    const QString page = QStringLiteral("<body style='height:5000px'><p>%1</p></body>");
    w.r1().setText(page.arg(QStringLiteral("first")));
    w.mnuPreview_Click();
    PreviewBrowser *view = browserOf(w.findChild<Form2 *>()->w1());
    QVERIFY(waitShown(view, LocalAddress::url(tempFile(host, QStringLiteral("Temp.html")))));
    evaluate(view, QStringLiteral("window.scrollTo(0, 1200)"));
    QTRY_COMPARE_WITH_TIMEOUT(view->page()->scrollPosition().y(), 1200.0, timeout);

    w.r1().setText(page.arg(QStringLiteral("second")));
    QTRY_COMPARE_WITH_TIMEOUT(bodyText(view), QStringLiteral("second"), timeout);
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(view, QStringLiteral("window.scrollY")).toInt(), 1200, timeout);
}

void tst_LivePreview::choiceIsRemembered()
{
    ScriptedHost host;
    {
        frmMainWin first(host);
        QVERIFY(livePreview(first)->isCheckable());
        QVERIFY(livePreview(first)->isChecked());
        livePreview(first)->trigger();
        QVERIFY(!livePreview(first)->isChecked());
    }
    {
        frmMainWin second(host);
        QVERIFY(!livePreview(second)->isChecked());
        livePreview(second)->trigger();
    }
    frmMainWin third(host);
    QVERIFY(livePreview(third)->isChecked());
}

ZORVANE_TEST(tst_LivePreview)
#include "tst_LivePreview.moc"
