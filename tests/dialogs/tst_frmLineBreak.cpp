// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmLineBreak.h"

#include "DialogTestKit.h"
#include "support/TestMain.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class tst_frmLineBreak : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsTheChosenBreak_data();
    void okInsertsTheChosenBreak();
    void opensWithNormalBreakAndEnterInsertsIt();
    void cancelRefreshesPreviewOnly_data();
    void cancelRefreshesPreviewOnly();
};

void tst_frmLineBreak::okInsertsTheChosenBreak_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("defaults") << QString() << QStringLiteral("<br>");
    QTest::newRow("normal") << QStringLiteral("optNormal") << QStringLiteral("<br>");
    QTest::newRow("left") << QStringLiteral("optLeft") << QStringLiteral(R"(<br clear="left">)");
    QTest::newRow("right") << QStringLiteral("optRight") << QStringLiteral(R"(<br clear="right">)");
    QTest::newRow("both") << QStringLiteral("optBoth") << QStringLiteral(R"(<br clear="all">)");
}

void tst_frmLineBreak::okInsertsTheChosenBreak()
{
    QFETCH(QString, option);
    QFETCH(QString, fragment);

    DialogProbe probe;
    frmLineBreak dialog(probe.editor, probe.refresher());
    if (!option.isEmpty())
        control<QRadioButton>(dialog, qPrintable(option))->click();
    control<QPushButton>(dialog, "cmdOK")->click();

    VERIFY_INSERTED(probe, fragment);
    QCOMPARE(probe.refreshes, 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_frmLineBreak::opensWithNormalBreakAndEnterInsertsIt()
{
    DialogProbe probe;
    frmLineBreak dialog(probe.editor, probe.refresher());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Break Properties"));
    QCOMPARE(control<QRadioButton>(dialog, "optNormal")->text(), QStringLiteral("Normal Line Break"));
    QCOMPARE(control<QRadioButton>(dialog, "optLeft")->text(), QStringLiteral("Clear Left Margin"));
    QCOMPARE(control<QRadioButton>(dialog, "optRight")->text(), QStringLiteral("Clear Right Margin"));
    QCOMPARE(control<QRadioButton>(dialog, "optBoth")->text(), QStringLiteral("Clear Both Margins"));
    QVERIFY(control<QRadioButton>(dialog, "optNormal")->isChecked());

    QVERIFY(showActive(dialog));
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(dialog, "cmdOK"));
    pressOnFocus(Qt::Key_Return);
    VERIFY_INSERTED(probe, QStringLiteral("<br>"));
    QVERIFY(!dialog.isVisible());
}

void tst_frmLineBreak::cancelRefreshesPreviewOnly_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Esc") << true;
}

void tst_frmLineBreak::cancelRefreshesPreviewOnly()
{
    QFETCH(bool, escape);

    DialogProbe probe;
    frmLineBreak dialog(probe.editor, probe.refresher());
    QVERIFY(showActive(dialog));
    control<QRadioButton>(dialog, "optLeft")->click();
    if (escape)
        pressOnFocus(Qt::Key_Escape);
    else
        control<QPushButton>(dialog, "cmdCancel")->click();

    VERIFY_UNTOUCHED(probe);
    QCOMPARE(probe.refreshes, 1);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

ZORVANE_TEST(tst_frmLineBreak)
#include "tst_frmLineBreak.moc"
