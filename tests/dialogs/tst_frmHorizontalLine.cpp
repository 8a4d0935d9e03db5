// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmHorizontalLine.h"

#include "DialogTestKit.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class tst_frmHorizontalLine : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsTheRule_data();
    void okInsertsTheRule();
    void everyColourEntry_data();
    void everyColourEntry();
    void opensWithDefaultsAndEnterInserts();
    void cancelLeavesPreviewAlone_data();
    void cancelLeavesPreviewAlone();
};

void tst_frmHorizontalLine::okInsertsTheRule_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<bool>("pixels");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("align");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("solid");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("defaults") << "100" << false << "2" << "optCenter" << "Default" << false
                              << R"(<hr width="100%" size="2" align="center">)";
    QTest::newRow("pixels 300") << "300" << true << "2" << "optCenter" << "Default" << false
                                << R"(<hr width="300" size="2" align="center">)";
    QTest::newRow("red before width") << "100" << false << "2" << "optCenter" << "Red" << false
                                      << R"(<hr color="#FF0000" width="100%" size="2" align="center">)";
    QTest::newRow("solid last") << "100" << false << "2" << "optCenter" << "Default" << true
                                << R"(<hr width="100%" size="2" align="center" noshade>)";
    QTest::newRow("left") << "100" << false << "2" << "optLeft" << "Default" << false
                          << R"(<hr width="100%" size="2" align="left">)";
    QTest::newRow("right") << "100" << false << "2" << "optRight" << "Default" << false
                           << R"(<hr width="100%" size="2" align="right">)";
    QTest::newRow("every attribute") << "50" << true << "7" << "optRight" << "Teal" << true
                                     << R"(<hr color="#008080" width="50" size="7" align="right" noshade>)";
    QTest::newRow("empty width in percent") << "" << false << "2" << "optCenter" << "Default" << false
                                            << R"(<hr width="%" size="2" align="center">)";
    QTest::newRow("empty width in pixels") << "" << true << "2" << "optCenter" << "Default" << false
                                           << R"(<hr width="" size="2" align="center">)";
    QTest::newRow("empty height") << "100" << false << "" << "optCenter" << "Default" << false
                                  << R"(<hr width="100%" size="" align="center">)";
    QTest::newRow("one-space fields") << " " << true << " " << "optCenter" << "Default" << false
                                      << R"(<hr width=" " size=" " align="center">)";
    QTest::newRow("texts as typed") << R"(1"0)" << true << "<b>&" << "optCenter" << "Default" << false
                                    << R"(<hr width="1"0" size="<b>&" align="center">)";
}

void tst_frmHorizontalLine::okInsertsTheRule()
{
    QFETCH(QString, width);
    QFETCH(bool, pixels);
    QFETCH(QString, height);
    QFETCH(QString, align);
    QFETCH(QString, colour);
    QFETCH(bool, solid);
    QFETCH(QString, fragment);

    DialogProbe probe;
    frmHorizontalLine dialog(probe.editor, probe.refresher());
    control<QLineEdit>(dialog, "txtWidth")->setText(width);
    control<QRadioButton>(dialog, pixels ? "optPixels" : "optPercent")->click();
    control<QLineEdit>(dialog, "txtHeight")->setText(height);
    control<QRadioButton>(dialog, qPrintable(align))->click();
    control<QComboBox>(dialog, "Combo1")->setCurrentText(colour);
    control<QCheckBox>(dialog, "ckSolidLine")->setChecked(solid);
    control<QPushButton>(dialog, "cmdOK")->click();

    VERIFY_INSERTED(probe, fragment);
    QCOMPARE(probe.refreshes, 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_frmHorizontalLine::everyColourEntry_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("attribute");

    QTest::newRow("Default") << 0 << "Default" << "";
    QTest::newRow("Black") << 1 << "Black" << R"( color="#000000")";
    QTest::newRow("White") << 2 << "White" << R"( color="#FFFFFF")";
    QTest::newRow("Green") << 3 << "Green" << R"( color="#008000")";
    QTest::newRow("Maroon") << 4 << "Maroon" << R"( color="#800000")";
    QTest::newRow("Olive") << 5 << "Olive" << R"( color="#808000")";
    QTest::newRow("Navy") << 6 << "Navy" << R"( color="#000080")";
    QTest::newRow("Purple") << 7 << "Purple" << R"( color="#800080")";
    QTest::newRow("Gray") << 8 << "Gray" << R"( color="#808080")";
    QTest::newRow("Yellow") << 9 << "Yellow" << R"( color="#FFFF00")";
    QTest::newRow("Lime") << 10 << "Lime" << R"( color="#00FF00")";
    QTest::newRow("Aqua") << 11 << "Aqua" << R"( color="#00FFFF")";
    QTest::newRow("Fuchsia") << 12 << "Fuchsia" << R"( color="#FF00FF")";
    QTest::newRow("Silver") << 13 << "Silver" << R"( color="#C0C0C0")";
    QTest::newRow("Red") << 14 << "Red" << R"( color="#FF0000")";
    QTest::newRow("Blue") << 15 << "Blue" << R"( color="#0000FF")";
    QTest::newRow("Teal") << 16 << "Teal" << R"( color="#008080")";
}

// The list holds exactly these entries in this order, and each adds its own attribute.
void tst_frmHorizontalLine::everyColourEntry()
{
    QFETCH(int, index);
    QFETCH(QString, entry);
    QFETCH(QString, attribute);

    DialogProbe probe;
    frmHorizontalLine dialog(probe.editor, probe.refresher());
    auto *combo = control<QComboBox>(dialog, "Combo1");
    QCOMPARE(combo->count(), 17);
    QCOMPARE(combo->itemText(index), entry);
    combo->setCurrentText(entry);
    control<QPushButton>(dialog, "cmdOK")->click();

    VERIFY_INSERTED(probe, QStringLiteral("<hr") + attribute + QStringLiteral(R"( width="100%" size="2" align="center">)"));
}

void tst_frmHorizontalLine::opensWithDefaultsAndEnterInserts()
{
    DialogProbe probe;
    frmHorizontalLine dialog(probe.editor, probe.refresher());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Insert Horizontal Line"));
    QCOMPARE(control<QLineEdit>(dialog, "txtWidth")->text(), QStringLiteral("100"));
    QCOMPARE(control<QRadioButton>(dialog, "optPercent")->text(), QStringLiteral("Percent of window"));
    QVERIFY(control<QRadioButton>(dialog, "optPercent")->isChecked());
    QCOMPARE(control<QRadioButton>(dialog, "optPixels")->text(), QStringLiteral("Pixels"));
    QCOMPARE(control<QLineEdit>(dialog, "txtHeight")->text(), QStringLiteral("2"));
    QCOMPARE(control<QLabel>(dialog, "lblPixels")->text(), QStringLiteral("Pixels"));
    QVERIFY(control<QRadioButton>(dialog, "optCenter")->isChecked());
    QCOMPARE(control<QLabel>(dialog, "lblColor")->text(), QStringLiteral("Color:"));
    QCOMPARE(control<QLabel>(dialog, "lblColor")->buddy(), control<QComboBox>(dialog, "Combo1"));
    QCOMPARE(control<QComboBox>(dialog, "Combo1")->currentText(), QStringLiteral("Default"));
    QVERIFY(!control<QComboBox>(dialog, "Combo1")->isEditable());
    QCOMPARE(control<QCheckBox>(dialog, "ckSolidLine")->text(), QStringLiteral("Solid line (no shading)"));
    QVERIFY(!control<QCheckBox>(dialog, "ckSolidLine")->isChecked());

    QVERIFY(showActive(dialog));
    QCOMPARE(QApplication::focusWidget(), control<QCheckBox>(dialog, "ckSolidLine"));
    pressOnFocus(Qt::Key_Return);
    VERIFY_INSERTED(probe, QStringLiteral(R"(<hr width="100%" size="2" align="center">)"));
}

void tst_frmHorizontalLine::cancelLeavesPreviewAlone_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Esc") << true;
}

void tst_frmHorizontalLine::cancelLeavesPreviewAlone()
{
    QFETCH(bool, escape);

    DialogProbe probe;
    frmHorizontalLine dialog(probe.editor, probe.refresher());
    QVERIFY(showActive(dialog));
    if (escape)
        pressOnFocus(Qt::Key_Escape);
    else
        control<QPushButton>(dialog, "cmdCancel")->click();

    VERIFY_UNTOUCHED(probe);
    QCOMPARE(probe.refreshes, 0);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

ZORVANE_TEST(tst_frmHorizontalLine)
#include "tst_frmHorizontalLine.moc"
