// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmScript.h"

#include "DialogTestKit.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class tst_frmScript : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsTheScript_data();
    void okInsertsTheScript();
    void opensWithVBScriptAndTabOrder();
    void otherFieldFollowsTheOption();
    void enterMakesALineAndEscDoesNotClose();
    void cancelRefreshesPreview();
    void scriptIsInsertedExactlyAsTyped();
};

void tst_frmScript::okInsertsTheScript_data()
{
    QTest::addColumn<QStringList>("clicks");   // language options, in order
    QTest::addColumn<QString>("other");        // typed into "Other:" while it is enabled
    QTest::addColumn<QStringList>("lines");    // typed into the script area, Enter between lines
    QTest::addColumn<QString>("fragment");

    QTest::newRow("defaults") << QStringList() << "" << QStringList() << "<script language=\"VBScript\">\r\n\r\n</script>";
    QTest::newRow("JavaScript x=1") << QStringList{"optJavaScript"} << "" << QStringList{"x=1"}
                                    << "<script language=\"JavaScript\">\r\nx=1\r\n</script>";
    QTest::newRow("Other left empty") << QStringList{"optOther"} << "" << QStringList() << "<script language=\"\">\r\n\r\n</script>";
    QTest::newRow("Other typed") << QStringList{"optOther"} << "PerlScript" << QStringList{"print 1;"}
                                 << "<script language=\"PerlScript\">\r\nprint 1;\r\n</script>";
    QTest::newRow("Other one space") << QStringList{"optOther"} << " " << QStringList() << "<script language=\" \">\r\n\r\n</script>";
    QTest::newRow("Other typed, then JavaScript")
        << QStringList{"optOther", "optJavaScript"} << "Tcl" << QStringList() << "<script language=\"JavaScript\">\r\n\r\n</script>";
    QTest::newRow("multi-line script")
        << QStringList() << "" << QStringList{"Sub Hello()", "  MsgBox \"<Hi> & bye\"", "", "End Sub"}
        << "<script language=\"VBScript\">\r\nSub Hello()\r\n  MsgBox \"<Hi> & bye\"\r\n\r\nEnd Sub\r\n</script>";
    QTest::newRow("script of one space") << QStringList{"optJavaScript"} << "" << QStringList{" "}
                                         << "<script language=\"JavaScript\">\r\n \r\n</script>";
}

void tst_frmScript::okInsertsTheScript()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, other);
    QFETCH(QStringList, lines);
    QFETCH(QString, fragment);

    DialogProbe probe;
    frmScript dialog(probe.editor, probe.refresher());
    auto *text1 = control<QLineEdit>(dialog, "Text1");
    auto *text2 = control<QPlainTextEdit>(dialog, "Text2");
    for (const QString &name : clicks) {
        control<QRadioButton>(dialog, qPrintable(name))->click();
        if (text1->isEnabled())
            QTest::keyClicks(text1, other);
    }
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(text2, Qt::Key_Return);
        QTest::keyClicks(text2, lines.at(i));
    }
    control<QPushButton>(dialog, "cmdOK")->click();

    VERIFY_INSERTED(probe, fragment);
    QCOMPARE(probe.refreshes, 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_frmScript::opensWithVBScriptAndTabOrder()
{
    DialogProbe probe;
    frmScript dialog(probe.editor, probe.refresher());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Insert Script"));
    QVERIFY(control<QRadioButton>(dialog, "optVBScript")->isChecked());
    QVERIFY(!control<QLineEdit>(dialog, "Text1")->isEnabled());
    QCOMPARE(control<QLineEdit>(dialog, "Text1")->text(), QString());
    QCOMPARE(control<QPlainTextEdit>(dialog, "Text2")->toPlainText(), QString());
    QCOMPARE(control<QLabel>(dialog, "Label1")->buddy(), control<QPlainTextEdit>(dialog, "Text2"));

    QVERIFY(showActive(dialog));
    // From the checked language option Tab goes on to the enabled controls: "Other:" is off.
    QCOMPARE(tabWalk(dialog, 3), (QStringList{"optVBScript", "cmdOK", "cmdCancel", "Text2"}));
    control<QRadioButton>(dialog, "optOther")->click();
    control<QRadioButton>(dialog, "optOther")->setFocus();
    QCOMPARE(tabWalk(dialog, 4), (QStringList{"optOther", "Text1", "cmdOK", "cmdCancel", "Text2"}));
}

void tst_frmScript::otherFieldFollowsTheOption()
{
    DialogProbe probe;
    frmScript dialog(probe.editor, probe.refresher());
    auto *text1 = control<QLineEdit>(dialog, "Text1");

    control<QRadioButton>(dialog, "optOther")->click();
    QVERIFY(text1->isEnabled());
    QTest::keyClicks(text1, QStringLiteral("Tcl"));
    control<QRadioButton>(dialog, "optJavaScript")->click();
    QVERIFY(!text1->isEnabled());
    QCOMPARE(text1->text(), QStringLiteral("Tcl"));
    control<QRadioButton>(dialog, "optOther")->click();
    QVERIFY(text1->isEnabled());
    QCOMPARE(text1->text(), QStringLiteral("Tcl"));
    control<QRadioButton>(dialog, "optVBScript")->click();
    QVERIFY(!text1->isEnabled());
}

// The dialog has no default and no cancel button.
void tst_frmScript::enterMakesALineAndEscDoesNotClose()
{
    DialogProbe probe;
    frmScript dialog(probe.editor, probe.refresher());
    QVERIFY(showActive(dialog));
    pressOnFocus(Qt::Key_Return);
    pressOnFocus(Qt::Key_Escape);
    QVERIFY(dialog.isVisible());

    auto *text2 = control<QPlainTextEdit>(dialog, "Text2");
    text2->setFocus();
    QTest::keyClicks(text2, QStringLiteral("a=1"));
    QTest::keyClick(text2, Qt::Key_Return);
    QTest::keyClicks(text2, QStringLiteral("b=2"));
    QTest::keyClick(text2, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(text2->toPlainText(), QStringLiteral("a=1\nb=2"));
    VERIFY_UNTOUCHED(probe);
    QCOMPARE(probe.refreshes, 0);

    control<QPushButton>(dialog, "cmdOK")->click();
    VERIFY_INSERTED(probe, QStringLiteral("<script language=\"VBScript\">\r\na=1\r\nb=2\r\n</script>"));
}

void tst_frmScript::cancelRefreshesPreview()
{
    DialogProbe probe;
    frmScript dialog(probe.editor, probe.refresher());
    QVERIFY(showActive(dialog));
    QTest::keyClicks(control<QPlainTextEdit>(dialog, "Text2"), QStringLiteral("x=1"));
    control<QPushButton>(dialog, "cmdCancel")->click();

    VERIFY_UNTOUCHED(probe);
    QCOMPARE(probe.refreshes, 1);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

void tst_frmScript::scriptIsInsertedExactlyAsTyped()
{
    DialogProbe probe;
    frmScript dialog(probe.editor, probe.refresher());
    // A non-breaking space and a line separator are characters of the script, not a space and
    // a line break.
    control<QPlainTextEdit>(dialog, "Text2")->insertPlainText(QStringLiteral("x\u00a0=\u20281\n\ty = 2"));
    control<QPushButton>(dialog, "cmdOK")->click();
    VERIFY_INSERTED(probe, QStringLiteral("<script language=\"VBScript\">\r\nx\u00a0=\u20281\r\n\ty = 2\r\n</script>"));
}

ZORVANE_TEST(tst_frmScript)
#include "tst_frmScript.moc"
