// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmMarquee.h"

#include "DialogTestKit.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class tst_frmMarquee : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsTheMarquee_data();
    void okInsertsTheMarquee();
    void everyColourEntry_data();
    void everyColourEntry();
    void opensWithDefaults();
    void emptyTextKeepsDialogOpen();
    void enablingRules();
    void cancelRefreshesPreview_data();
    void cancelRefreshesPreview();
};

// What a row does to the controls: the text, the options to click, the check boxes to click,
// and texts for the other fields (name=value).
void tst_frmMarquee::okInsertsTheMarquee_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("defaults") << "Hello" << QStringList() << QStringList() << "Default"
                              << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top">Hello</marquee>)";
    QTest::newRow("right, slide, middle")
        << "Hello" << QStringList{"optRight", "optSlide", "optMiddle"} << QStringList() << "Default"
        << R"(<marquee direction="right" scrolldelay="90" scrollamount="6" behavior="slide" align="middle">Hello</marquee>)";
    QTest::newRow("alternate, bottom")
        << "Hello" << QStringList{"optAlternate", "optBottom"} << QStringList() << "Default"
        << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="alternate" align="bottom">Hello</marquee>)";
    QTest::newRow("speed as typed")
        << "Hello" << QStringList() << QStringList{"txtDelay=", "txtAmount=-2x"} << "Default"
        << R"(<marquee direction="left" scrolldelay="" scrollamount="-2x" behavior="scroll" align="top">Hello</marquee>)";
    QTest::newRow("loop 3") << "Hello" << QStringList{"ckContinuously"} << QStringList{"Text2=3"} << "Default"
                            << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top" loop="3">Hello</marquee>)";
    QTest::newRow("loop left at 0") << "Hello" << QStringList{"ckContinuously"} << QStringList() << "Default"
                                    << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top" loop="0">Hello</marquee>)";
    QTest::newRow("width 50 in percent")
        << "Hello" << QStringList{"ckSpecifyWidth", "optWidthPercent"} << QStringList{"txtWidth=50"} << "Default"
        << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top" width="50%">Hello</marquee>)";
    QTest::newRow("width 50 in pixels")
        << "Hello" << QStringList{"ckSpecifyWidth"} << QStringList{"txtWidth=50"} << "Default"
        << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top" width="50">Hello</marquee>)";
    QTest::newRow("width left empty")
        << "Hello" << QStringList{"ckSpecifyWidth"} << QStringList() << "Default"
        << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top" width="">Hello</marquee>)";
    QTest::newRow("height alone")
        << "Hello" << QStringList{"ckSpecifyHeight", "optHeightPercent"} << QStringList{"txtHeight=20"} << "Default"
        << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top" height="20%">Hello</marquee>)";
    QTest::newRow("units apart")
        << "Hello" << QStringList{"ckSpecifyWidth", "optWidthPercent", "ckSpecifyHeight"}
        << QStringList{"txtWidth=80", "txtHeight=40"} << "Default"
        << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top" width="80%" height="40">Hello</marquee>)";
    QTest::newRow("width, height, loop, bgcolor order")
        << "Hello" << QStringList{"ckSpecifyWidth", "ckSpecifyHeight", "ckContinuously"}
        << QStringList{"txtWidth=300", "txtHeight=30", "Text2=3"} << "Teal"
        << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top" width="300" height="30" loop="3" bgcolor="#008080">Hello</marquee>)";
    QTest::newRow("disabled fields not read")
        << "Hello" << QStringList() << QStringList{"txtWidth=300", "txtHeight=30", "Text2=3"} << "Default"
        << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top">Hello</marquee>)";
    QTest::newRow("one-space text") << " " << QStringList() << QStringList() << "Default"
                                    << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top"> </marquee>)";
    QTest::newRow("markup in text") << "<b>Hot</b> & new" << QStringList() << QStringList() << "Default"
                                    << R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top"><b>Hot</b> & new</marquee>)";
}

void tst_frmMarquee::okInsertsTheMarquee()
{
    QFETCH(QString, text);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, fields);
    QFETCH(QString, colour);
    QFETCH(QString, fragment);

    DialogProbe probe;
    frmMarquee dialog(probe.editor, probe.refresher());
    control<QLineEdit>(dialog, "Text1")->setText(text);
    for (const QString &name : clicks)
        control<QAbstractButton>(dialog, qPrintable(name))->click();
    for (const QString &entry : fields)
        control<QLineEdit>(dialog, qPrintable(entry.section(QLatin1Char('='), 0, 0)))
            ->setText(entry.section(QLatin1Char('='), 1));
    control<QComboBox>(dialog, "Combo1")->setCurrentText(colour);
    control<QPushButton>(dialog, "cmdOK")->click();

    VERIFY_INSERTED(probe, fragment);
    QCOMPARE(probe.refreshes, 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_frmMarquee::everyColourEntry_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("attribute");

    QTest::newRow("Default") << 0 << "Default" << "";
    QTest::newRow("Black") << 1 << "Black" << R"( bgcolor="#000000")";
    QTest::newRow("White") << 2 << "White" << R"( bgcolor="#FFFFFF")";
    QTest::newRow("Green") << 3 << "Green" << R"( bgcolor="#008000")";
    QTest::newRow("Maroon") << 4 << "Maroon" << R"( bgcolor="#800000")";
    QTest::newRow("Olive") << 5 << "Olive" << R"( bgcolor="#808000")";
    QTest::newRow("Navy") << 6 << "Navy" << R"( bgcolor="#000080")";
    QTest::newRow("Purple") << 7 << "Purple" << R"( bgcolor="#800080")";
    QTest::newRow("Gray") << 8 << "Gray" << R"( bgcolor="#808080")";
    QTest::newRow("Yellow") << 9 << "Yellow" << R"( bgcolor="#FFFF00")";
    QTest::newRow("Lime") << 10 << "Lime" << R"( bgcolor="#00FF00")";
    QTest::newRow("Aqua") << 11 << "Aqua" << R"( bgcolor="#00FFFF")";
    QTest::newRow("Fuchsia") << 12 << "Fuchsia" << R"( bgcolor="#FF00FF")";
    QTest::newRow("Silver") << 13 << "Silver" << R"( bgcolor="#C0C0C0")";
    QTest::newRow("Red") << 14 << "Red" << R"( bgcolor="#FF0000")";
    QTest::newRow("Blue") << 15 << "Blue" << R"( bgcolor="#0000FF")";
    QTest::newRow("Teal") << 16 << "Teal" << R"( bgcolor="#008080")";
}

// The list holds exactly these entries in this order, and each adds its own attribute.
void tst_frmMarquee::everyColourEntry()
{
    QFETCH(int, index);
    QFETCH(QString, entry);
    QFETCH(QString, attribute);

    DialogProbe probe;
    frmMarquee dialog(probe.editor, probe.refresher());
    auto *combo = control<QComboBox>(dialog, "Combo1");
    QCOMPARE(combo->count(), 17);
    QCOMPARE(combo->itemText(index), entry);
    combo->setCurrentIndex(index);
    control<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("Hi"));
    control<QPushButton>(dialog, "cmdOK")->click();

    VERIFY_INSERTED(probe,
                    QStringLiteral(R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top")")
                        + attribute + QStringLiteral(">Hi</marquee>"));
}

void tst_frmMarquee::opensWithDefaults()
{
    DialogProbe probe;
    frmMarquee dialog(probe.editor, probe.refresher());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Insert Marquee"));
    QCOMPARE(control<QLineEdit>(dialog, "Text1")->text(), QString());
    QCOMPARE(control<QLabel>(dialog, "Label1")->buddy(), control<QLineEdit>(dialog, "Text1"));
    for (const char *selected : {"optLeft", "optScroll", "optTop", "optWidthPixels", "optHeightPixels"})
        QVERIFY2(control<QRadioButton>(dialog, selected)->isChecked(), selected);
    QVERIFY(control<QCheckBox>(dialog, "ckContinuously")->isChecked());
    QVERIFY(!control<QCheckBox>(dialog, "ckSpecifyWidth")->isChecked());
    QVERIFY(!control<QCheckBox>(dialog, "ckSpecifyHeight")->isChecked());
    QCOMPARE(control<QLineEdit>(dialog, "Text2")->text(), QStringLiteral("0"));
    QCOMPARE(control<QComboBox>(dialog, "Combo1")->currentText(), QStringLiteral("Default"));
    QVERIFY(!control<QComboBox>(dialog, "Combo1")->isEditable());
    for (const char *disabled : {"Text2", "Label4", "txtWidth", "optWidthPixels", "optWidthPercent", "txtHeight",
                                 "optHeightPixels", "optHeightPercent"})
        QVERIFY2(!control<QWidget>(dialog, disabled)->isEnabled(), disabled);

    QVERIFY(showActive(dialog));
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(dialog, "Text1"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("News"));
    pressOnFocus(Qt::Key_Return);
    VERIFY_INSERTED(
        probe,
        QStringLiteral(R"(<marquee direction="left" scrolldelay="90" scrollamount="6" behavior="scroll" align="top">News</marquee>)"));
}

// OK (by click or by Enter) with an empty text does nothing at all; Cancel still closes.
void tst_frmMarquee::emptyTextKeepsDialogOpen()
{
    DialogProbe probe;
    frmMarquee dialog(probe.editor, probe.refresher());
    QVERIFY(showActive(dialog));
    control<QPushButton>(dialog, "cmdOK")->click();
    pressOnFocus(Qt::Key_Return);

    VERIFY_UNTOUCHED(probe);
    QCOMPARE(probe.refreshes, 0);
    QVERIFY(dialog.isVisible());

    control<QPushButton>(dialog, "cmdCancel")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(probe.refreshes, 1);
    VERIFY_UNTOUCHED(probe);
}

// Each check box enables its own fields only; disabling keeps their values and choices.
void tst_frmMarquee::enablingRules()
{
    DialogProbe probe;
    frmMarquee dialog(probe.editor, probe.refresher());
    auto *continuously = control<QCheckBox>(dialog, "ckContinuously");
    auto *specifyWidth = control<QCheckBox>(dialog, "ckSpecifyWidth");
    auto *specifyHeight = control<QCheckBox>(dialog, "ckSpecifyHeight");
    auto *text2 = control<QLineEdit>(dialog, "Text2");
    auto *label4 = control<QLabel>(dialog, "Label4");
    auto *txtWidth = control<QLineEdit>(dialog, "txtWidth");
    auto *widthPercent = control<QRadioButton>(dialog, "optWidthPercent");
    auto *txtHeight = control<QLineEdit>(dialog, "txtHeight");
    auto *heightPixels = control<QRadioButton>(dialog, "optHeightPixels");

    continuously->click();
    QVERIFY(text2->isEnabled());
    QVERIFY(label4->isEnabled());
    QVERIFY(!txtWidth->isEnabled());
    text2->setText(QStringLiteral("5"));
    continuously->click();
    QVERIFY(!text2->isEnabled());
    QVERIFY(!label4->isEnabled());
    QCOMPARE(text2->text(), QStringLiteral("5"));

    specifyWidth->click();
    QVERIFY(txtWidth->isEnabled());
    QVERIFY(widthPercent->isEnabled());
    QVERIFY(control<QRadioButton>(dialog, "optWidthPixels")->isEnabled());
    QVERIFY(!txtHeight->isEnabled());
    QVERIFY(!heightPixels->isEnabled());
    txtWidth->setText(QStringLiteral("70"));
    widthPercent->click();
    specifyWidth->click();
    QVERIFY(!txtWidth->isEnabled());
    QVERIFY(!widthPercent->isEnabled());
    QCOMPARE(txtWidth->text(), QStringLiteral("70"));
    QVERIFY(widthPercent->isChecked());

    specifyHeight->click();
    QVERIFY(txtHeight->isEnabled());
    QVERIFY(heightPixels->isEnabled());
    QVERIFY(control<QRadioButton>(dialog, "optHeightPercent")->isEnabled());
    QVERIFY(!txtWidth->isEnabled());
    specifyHeight->click();
    QVERIFY(!txtHeight->isEnabled());
}

void tst_frmMarquee::cancelRefreshesPreview_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Esc") << true;
}

void tst_frmMarquee::cancelRefreshesPreview()
{
    QFETCH(bool, escape);

    DialogProbe probe;
    frmMarquee dialog(probe.editor, probe.refresher());
    QVERIFY(showActive(dialog));
    QTest::keyClicks(control<QLineEdit>(dialog, "Text1"), QStringLiteral("Hello"));
    if (escape)
        pressOnFocus(Qt::Key_Escape);
    else
        control<QPushButton>(dialog, "cmdCancel")->click();

    VERIFY_UNTOUCHED(probe);
    QCOMPARE(probe.refreshes, 1);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

ZORVANE_TEST(tst_frmMarquee)
#include "tst_frmMarquee.moc"
