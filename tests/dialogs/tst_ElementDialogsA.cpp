// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "editor/EditorControl.h"

#include "DialogTestKit.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The Insert menu items open their dialogs modal over the main window, and OK writes the
// fragment into the document at the caret.
class tst_ElementDialogsA : public QObject
{
    Q_OBJECT

private slots:
    void menuItemOpensDialog_data();
    void menuItemOpensDialog();
    void marqueeReopensWithDefaults();
};

void tst_ElementDialogsA::menuItemOpensDialog_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("line break") << "mnuLineBreak" << "Break Properties" << "cmdOK" << "<br>";
    QTest::newRow("horizontal line") << "mnuHorizontalLine" << "Insert Horizontal Line" << "cmdOK"
                                     << R"(<hr width="100%" size="2" align="center">)";
    QTest::newRow("image") << "mnuImage" << "Insert Image" << "Command2" << R"(<img src="http://">)";
    QTest::newRow("video") << "mnuVideo" << "Insert Video" << "Command2" << R"(<img dynsrc="http://" start="fileopen">)";
    QTest::newRow("plug-in") << "mnuPlugIn" << "Insert Plug-In" << "cmdOK"
                             << R"(<embed width="128" height="128" src="" border="" hspace="0" vspace="0"><noembed></noembed>)";
    QTest::newRow("marquee") << "mnuMarquee" << "Insert Marquee" << "cmdOK"
                             << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top">Hello</marquee>)";
    QTest::newRow("script") << "mnuScript" << "Insert Script" << "cmdOK" << "<script language=\"VBScript\">\r\n\r\n</script>";
}

void tst_ElementDialogsA::menuItemOpensDialog()
{
    QFETCH(QString, item);
    QFETCH(QString, title);
    QFETCH(QString, ok);
    QFETCH(QString, fragment);

    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    const QString before = w.r1().Text();
    host.answerModal([&](QDialog &d) {
        if (d.parentWidget() != &w || d.windowTitle() != title)
            return int(QDialog::Rejected);
        if (item == QLatin1String("mnuMarquee"))
            control<QLineEdit>(d, "Text1")->setText(QStringLiteral("Hello"));
        control<QPushButton>(d, qPrintable(ok))->click();
        return d.result();
    });
    w.action(item)->trigger();

    QVERIFY(host.allAnswered());
    QCOMPARE(host.asked().size(), 1);
    QCOMPARE(host.asked().constFirst().kind, QStringLiteral("Modal"));
    QCOMPARE(host.asked().constFirst().title, title);
    QCOMPARE(w.r1().Text(), fragment + before);
    QCOMPARE(w.r1().SelStart(), fragment.size());
}

// Every opening is a fresh dialog: what was changed before is gone.
void tst_ElementDialogsA::marqueeReopensWithDefaults()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    host.answerModal([](QDialog &d) {
        control<QLineEdit>(d, "Text1")->setText(QStringLiteral("Once"));
        control<QCheckBox>(d, "ckContinuously")->click();
        control<QCheckBox>(d, "ckSpecifyWidth")->click();
        control<QPushButton>(d, "cmdCancel")->click();
        return d.result();
    });
    bool defaults = false;
    host.answerModal([&defaults](QDialog &d) {
        defaults = control<QLineEdit>(d, "Text1")->text().isEmpty() && control<QCheckBox>(d, "ckContinuously")->isChecked()
                   && !control<QCheckBox>(d, "ckSpecifyWidth")->isChecked() && !control<QLineEdit>(d, "Text2")->isEnabled()
                   && !control<QLineEdit>(d, "txtWidth")->isEnabled();
        control<QPushButton>(d, "cmdCancel")->click();
        return d.result();
    });
    w.action(QStringLiteral("mnuMarquee"))->trigger();
    w.action(QStringLiteral("mnuMarquee"))->trigger();

    QVERIFY(host.allAnswered());
    QVERIFY(defaults);
}

ZORVANE_TEST(tst_ElementDialogsA)
#include "tst_ElementDialogsA.moc"
