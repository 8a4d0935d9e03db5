// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "dialogs/frmHyperLink.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

class tst_frmHyperLink : public QObject
{
    Q_OBJECT

private slots:
    void opensWithDefaults();
    void okInsertsLink_data();
    void okInsertsLink();
    void addressButtons_data();
    void addressButtons();
    void okReplacesSelection();
};

void tst_frmHyperLink::opensWithDefaults()
{
    DialogFixture fixture;
    ScriptedHost host;
    frmHyperLink form(fixture.editor, host, fixture.refresher());

    QCOMPARE(form.windowTitle(), QStringLiteral("Insert HyperLink"));
    QCOMPARE(control<QLineEdit>(form, QStringLiteral("Text1"))->text(), QStringLiteral("http://"));
    auto *targets = control<QComboBox>(form, QStringLiteral("Combo1"));
    QCOMPARE(targets->currentText(), QStringLiteral("None"));
    QVERIFY(!targets->isEditable());
    QStringList entries;
    for (int i = 0; i < targets->count(); ++i)
        entries << targets->itemText(i);
    QCOMPARE(entries, (QStringList{"None", "Same Frame", "Whole Page", "New Window", "Parent Frame"}));
    QCOMPARE(control<QPushButton>(form, QStringLiteral("cmdFile"))->toolTip(),
             QStringLiteral("Make a hyperlink to a file on your computer"));
    QCOMPARE(control<QPushButton>(form, QStringLiteral("cmdEmail"))->toolTip(),
             QStringLiteral("Make a hyperlink that send E-mail"));
    QCOMPARE(control<QPushButton>(form, QStringLiteral("cmdBookmark"))->toolTip(),
             QStringLiteral("Create a hyperlink to a bookmark"));
}

void tst_frmHyperLink::okInsertsLink_data()
{
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("all defaults") << QVariantMap{} << QStringLiteral("<a href=\"http://\"></a>");
    QTest::newRow("same frame") << QVariantMap{{"Combo1", "Same Frame"}}
                                << QStringLiteral("<a href=\"http://\" target=\"_self\"></a>");
    QTest::newRow("whole page") << QVariantMap{{"Combo1", "Whole Page"}}
                                << QStringLiteral("<a href=\"http://\" target=\"_top\"></a>");
    QTest::newRow("new window") << QVariantMap{{"Combo1", "New Window"}, {"Text1", "http://example.org/"}}
                                << QStringLiteral("<a href=\"http://example.org/\" target=\"_blank\"></a>");
    QTest::newRow("parent frame") << QVariantMap{{"Combo1", "Parent Frame"}}
                                  << QStringLiteral("<a href=\"http://\" target=\"_parent\"></a>");
    QTest::newRow("empty address") << QVariantMap{{"Text1", ""}} << QStringLiteral("<a href=\"\"></a>");
    QTest::newRow("one-space address") << QVariantMap{{"Text1", " "}} << QStringLiteral("<a href=\" \"></a>");
    QTest::newRow("address as typed") << QVariantMap{{"Text1", " a b?x=\"1\"&y<2 "}}
                                      << QStringLiteral("<a href=\" a b?x=\"1\"&y<2 \"></a>");
}

void tst_frmHyperLink::okInsertsLink()
{
    QFETCH(QVariantMap, edits);
    QFETCH(QString, fragment);

    DialogFixture fixture;
    ScriptedHost host;
    frmHyperLink form(fixture.editor, host, fixture.refresher());
    expectOkInserts(fixture, form, edits, fragment, QStringLiteral("Command2"));
}

void tst_frmHyperLink::addressButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("address");

    const QString typed = QStringLiteral("http://typed.example/");
    QTest::newRow("file") << u"cmdFile"_s << false << u"/home/ann/My Pages/a b.htm"_s << u"file:///home/ann/My Pages/a b.htm"_s;
    QTest::newRow("file path unchanged") << u"cmdFile"_s << false << u"/tmp/x\\y%20z.htm"_s << u"file:///tmp/x\\y%20z.htm"_s;
    QTest::newRow("file cancelled keeps address") << u"cmdFile"_s << true << u""_s << typed;
    QTest::newRow("e-mail") << u"cmdEmail"_s << false << u"ann@example.org"_s << u"mailto:ann@example.org"_s;
    QTest::newRow("e-mail empty") << u"cmdEmail"_s << false << u""_s << u"mailto:"_s;
    QTest::newRow("e-mail cancelled keeps address") << u"cmdEmail"_s << true << u""_s << typed;
    QTest::newRow("bookmark") << u"cmdBookmark"_s << false << u"top"_s << u"#top"_s;
    QTest::newRow("bookmark with its own number sign") << u"cmdBookmark"_s << false << u"#top"_s << u"##top"_s;
    QTest::newRow("bookmark empty") << u"cmdBookmark"_s << false << u""_s << u"#"_s;
    QTest::newRow("bookmark cancelled keeps address") << u"cmdBookmark"_s << true << u""_s << typed;
}

void tst_frmHyperLink::addressButtons()
{
    QFETCH(QString, button);
    QFETCH(bool, cancelled);
    QFETCH(QString, answer);
    QFETCH(QString, address);

    DialogFixture fixture;
    ScriptedHost host;
    frmHyperLink form(fixture.editor, host, fixture.refresher());
    form.move(120, 80);
    auto *text1 = control<QLineEdit>(form, QStringLiteral("Text1"));
    text1->setText(QStringLiteral("http://typed.example/"));
    const std::optional<QString> reply = cancelled ? std::nullopt : std::optional<QString>(answer);
    if (button == QLatin1String("cmdFile"))
        host.answerFileDialog(reply);
    else
        host.answerInputBox(reply);
    control<QPushButton>(form, button)->click();

    QCOMPARE(text1->text(), address);
    QCOMPARE(fixture.refreshes, 0);
    QCOMPARE(fixture.editor.Text(), QStringLiteral("<body>\r\n</body>"));
    QCOMPARE(host.asked().size(), 1);
    const ScriptedHost::Question &asked = host.asked().first();
    if (button == QLatin1String("cmdFile")) {
        QCOMPARE(asked.kind, QStringLiteral("ShowOpen"));
        QCOMPARE(asked.title, QStringLiteral("Select File"));
        QCOMPARE(asked.filter, QStringLiteral("All Files|*.*"));
        return;
    }
    QCOMPARE(asked.kind, QStringLiteral("InputBox"));
    const bool email = button == QLatin1String("cmdEmail");
    QCOMPARE(asked.text,
             email ? QStringLiteral("Enter the e-mail address of the recipient") : QStringLiteral("Enter bookmark name"));
    QCOMPARE(asked.title, email ? QStringLiteral("E-mail") : QStringLiteral("Bookmark"));
    QCOMPARE(asked.defaultText, QString());
    QCOMPARE(asked.xTwips, 120 * 15);
    QCOMPARE(asked.yTwips, 80 * 15);
}

void tst_frmHyperLink::okReplacesSelection()
{
    DialogFixture fixture;
    ScriptedHost host;
    fixture.editor.setText(QStringLiteral("<p>old text</p>"));
    fixture.editor.setSelStart(3);
    fixture.editor.setSelLength(8);
    frmHyperLink form(fixture.editor, host, fixture.refresher());
    control<QPushButton>(form, QStringLiteral("Command2"))->click();

    const QString link = QStringLiteral("<a href=\"http://\"></a>");
    QCOMPARE(fixture.editor.Text(), QStringLiteral("<p>") + link + QStringLiteral("</p>"));
    QCOMPARE(fixture.editor.SelStart(), 3 + link.size());
    QCOMPARE(fixture.editor.SelLength(), 0);
}

ZORVANE_TEST(tst_frmHyperLink)
#include "tst_frmHyperLink.moc"
