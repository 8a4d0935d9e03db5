// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserProbe.h"

#include "app/StatusPanels.h"
#include "app/frmAbout.h"
#include "app/frmMainWin.h"
#include "editor/EditorControl.h"
#include "previewui/Form2.h"
#include "preview/PreviewPane.h"
#include "preview/PreviewBrowser.h"
#include "preview/LocalAddress.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace BrowserProbe;

class tst_Form2 : public QObject
{
    Q_OBJECT

private slots:
    void previewWindowShowsTheText();
    void secondPreviewReusesTheWindow();
    void onlyTheExactExitKeyUnloads_data();
    void onlyTheExactExitKeyUnloads();
    void exitButtonUnloadsAndNextPreviewLoadsAfresh();
    void unwritableFileOpensNoWindow();
    void viewFollowsTheWindowSize_data();
    void viewFollowsTheWindowSize();
    void aboutLinkShowsTheAboutPage();
};

namespace {

QString tempFile(ScriptedHost &host, const QString &name)
{
    return host.tempFolder() + QLatin1Char('/') + name;
}

} // namespace

void tst_Form2::previewWindowShowsTheText()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    w.r1().setText(QStringLiteral("<h1>na\u00efve</h1>"));
    w.action(QStringLiteral("mnuPreview"))->trigger();

    const QString path = tempFile(host, QStringLiteral("Temp.html"));
    QCOMPARE(pageBytes(path), QByteArray("<h1>na\xc3\xafve</h1>"));
    QVERIFY(!QFile::exists(tempFile(host, QStringLiteral("qprev.html"))));
    auto *form = w.findChild<Form2 *>();
    QVERIFY(form);
    QCOMPARE(form->parentWidget(), &w);
    QVERIFY(form->isWindow());
    QVERIFY(form->isVisible());
    QVERIFY(!form->isModal());
    QCOMPARE(form->windowTitle(), QStringLiteral("Preview Window:"));
    QCOMPARE(form->w1()->accessibleName(), QStringLiteral("Preview"));
    QVERIFY(waitShown(browserOf(form->w1()), LocalAddress::url(path)));
    QCOMPARE(bodyText(browserOf(form->w1())), QStringLiteral("na\u00efve"));
}

void tst_Form2::secondPreviewReusesTheWindow()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    const QUrl url = LocalAddress::url(tempFile(host, QStringLiteral("Temp.html")));
    w.r1().setText(QStringLiteral("<p>one</p>"));
    w.mnuPreview_Click();
    QPointer<Form2> form = w.findChild<Form2 *>();
    QVERIFY(waitShown(browserOf(form->w1()), url));

    QSignalSpy navigations(browserOf(form->w1()), &QWebEngineView::urlChanged);
    w.r1().setText(QStringLiteral("<p>two</p>"));
    // The main toolbar's Preview button runs the same command.
    w.toolbarButton(QStringLiteral("Preview"))->click();

    QCOMPARE(w.findChildren<Form2 *>().size(), 1);
    QCOMPARE(w.findChild<Form2 *>(), form.data());
    QVERIFY(form->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(bodyText(browserOf(form->w1())), QStringLiteral("two"), timeout);
    // The window shows its own page, never the quick preview's (which the editor's loss of the
    // focus to the window may refresh).
    for (const QList<QVariant> &navigation : navigations)
        QCOMPARE(navigation.at(0).toUrl(), url);
    QCOMPARE(browserOf(form->w1())->url(), url);
}

void tst_Form2::onlyTheExactExitKeyUnloads_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("unloads");

    QTest::newRow("exit") << QStringLiteral("exit") << true;
    QTest::newRow("Exit") << QStringLiteral("Exit") << false;
    QTest::newRow("EXIT") << QStringLiteral("EXIT") << false;
    QTest::newRow("exit with a space") << QStringLiteral("exit ") << false;
    QTest::newRow("empty") << QString() << false;
}

void tst_Form2::onlyTheExactExitKeyUnloads()
{
    QFETCH(QString, key);
    QFETCH(bool, unloads);

    QWidget owner;
    QPointer<Form2> form = new Form2(&owner, new PreviewPane);
    form->show();
    form->PrevTlb_ButtonClick(key);
    if (unloads) {
        QTRY_VERIFY(form.isNull());
    } else {
        QTest::qWait(50);
        QVERIFY(form);
        QVERIFY(form->isVisible());
    }
}

void tst_Form2::exitButtonUnloadsAndNextPreviewLoadsAfresh()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    w.mnuPreview_Click();
    QPointer<Form2> form = w.findChild<Form2 *>();
    QVERIFY(form);

    const QList<QToolButton *> buttons = form->PrevTlb()->findChildren<QToolButton *>(QStringLiteral("exit"));
    QCOMPARE(buttons.size(), 1);
    QToolButton *exit = buttons.first();
    QCOMPARE(exit->text(), QStringLiteral("Exit"));
    QCOMPARE(exit->toolTip(), QStringLiteral("Exit Preview Window, and return to Editor...."));
    exit->click();
    QTRY_VERIFY(form.isNull());

    // The next preview loads the window again, which starts on the blank page.
    w.mnuPreview_Click();
    form = w.findChild<Form2 *>();
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QVERIFY(waitShown(browserOf(form->w1()), LocalAddress::url(tempFile(host, QStringLiteral("Temp.html")))));
}

void tst_Form2::unwritableFileOpensNoWindow()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    host.failNextWrite(QStringLiteral("No space left on device"));
    w.mnuPreview_Click();
    QCOMPARE(w.findChild<Form2 *>(), nullptr);
    QVERIFY(!QFile::exists(tempFile(host, QStringLiteral("Temp.html"))));
    QCOMPARE(w.findChild<StatusPanels *>()->panel(1)->text(),
             QStringLiteral("Could not refresh the preview window: No space left on device"));
}

void tst_Form2::viewFollowsTheWindowSize_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QSize>("view");

    // 100 twips are 7 pixels, 600 twips 40.
    QTest::newRow("ordinary") << QSize(640, 480) << QSize(633, 440);
    QTest::newRow("lower than 600 twips") << QSize(300, 30) << QSize(293, 0);
    QTest::newRow("narrower than 100 twips") << QSize(5, 200) << QSize(0, 160);
}

void tst_Form2::viewFollowsTheWindowSize()
{
    QFETCH(QSize, window);
    QFETCH(QSize, view);

    QWidget owner;
    auto *form = new Form2(&owner, new PreviewPane);
    form->show();
    form->resize(window);
    QTRY_COMPARE(form->size(), window);
    QCOMPARE(form->w1()->size(), view);
}

void tst_Form2::aboutLinkShowsTheAboutPage()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QPointer<frmAbout> box;
    host.answerModal([&box](QDialog &dialog) {
        box = static_cast<frmAbout *>(&dialog);
        box->show();
        box->Label1_Click();
        return dialog.result();
    });
    w.mnuAbout_Click();

    // The about box is gone with its modal display; the window it opened belongs to the main window.
    QVERIFY(box.isNull());
    auto *form = w.findChild<Form2 *>();
    QVERIFY(form);
    QCOMPARE(form->parentWidget(), &w);
    QVERIFY(form->isVisible());
    const QUrl about = LocalAddress::url(tempFile(host, QStringLiteral("About.html")));
    QVERIFY(waitShown(browserOf(form->w1()), about));
    QCOMPARE(browserOf(form->w1())->title(), QStringLiteral("About Zorvane v1.0"));

    // A preview afterwards reuses the window.
    w.r1().setText(QStringLiteral("<p>document</p>"));
    w.mnuPreview_Click();
    QCOMPARE(w.findChild<Form2 *>(), form);
    QTRY_COMPARE_WITH_TIMEOUT(bodyText(browserOf(form->w1())), QStringLiteral("document"), timeout);
}

ZORVANE_TEST(tst_Form2)
#include "tst_Form2.moc"
