// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TagAids.h"
#include "support/TestMain.h"

#include "ModelFixture.h"

#include <QAction>
#include <QSettings>
#include <QTest>

class tst_TagAids : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void closingWhileTyping_data();
    void closingWhileTyping();
    void renameTogetherInOneUndoStep_data();
    void renameTogetherInOneUndoStep();
    void partnerBoxAndJump();
    void completion_data();
    void completion();
    void escapeClosesAndEnterOnlyAcceptsAnOpenList();
    void ctrlSpaceOffersWhatFits_data();
    void ctrlSpaceOffersWhatFits();
    void programWritesSetNothingOff();
    void aidsTurnOffAndStaySo();
};

void tst_TagAids::init()
{
    QSettings().remove(QStringLiteral("editing/aids"));
}

void tst_TagAids::closingWhileTyping_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caret");
    QTest::newRow("start tag") << "<p>" << "<div>" << "<p><div></div>" << 8;
    QTest::newRow("attributes with >") << "" << "<a title=\"x>y\">" << "<a title=\"x>y\"></a>" << 15;
    QTest::newRow("upper case") << "" << "<DIV>" << "<DIV></DIV>" << 5;
    QTest::newRow("void element") << "" << "<br>" << "<br>" << 4;
    QTest::newRow("self-closing") << "" << "<x-y />" << "<x-y />" << 7;
    QTest::newRow("in a comment") << "<!-- " << "<b>" << "<!-- <b>" << 8;
    QTest::newRow("in a script") << "<script>" << "a <b>" << "<script>a <b>" << 13;
    QTest::newRow("end tag typed") << "<ul><li><b>x" << "</" << "<ul><li><b>x</b>" << 16;
    QTest::newRow("end tag of an optional-end element")
        << "<ul><li>x" << "</" << "<ul><li>x</li>" << 14;
    QTest::newRow("end tag in a comment") << "<i><!-- " << "</" << "<i><!-- </" << 10;
    // A user who types the end tags anyway types over the ones written ahead.
    QTest::newRow("end tags typed over") << "" << "<p><i>x</i></p>" << "<p><i>x</i></p>" << 15;
    QTest::newRow("end tag typed over, then text") << "" << "<b>x</b>y" << "<b>x</b>y" << 9;
    QTest::newRow("another end tag typed in front") << "" << "<b>x</i>" << "<b>x</i></b>" << 8;
}

void tst_TagAids::closingWhileTyping()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(int, caret);
    ModelFixture f;
    TagAids aids(f.r1, f.builder);
    aids.setEnabled(TagAids::Completion, false);
    QVERIFY(f.load(before));
    f.r1.setSelStart(f.r1.length());
    f.type(typed);
    QCOMPARE(f.r1.Text(), after);
    QCOMPARE(f.r1.SelStart(), caret);
}

void tst_TagAids::renameTogetherInOneUndoStep_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("renamed");
    QTest::addColumn<int>("renamedCaret");
    QTest::newRow("start tag") << "<p><div>x</div>" << 7 << "<p><divs>x</divs>" << 8;
    QTest::newRow("end tag") << "<p><div>x</div>" << 14 << "<p><divs>x</divs>" << 16;
    QTest::newRow("nested same names") << "<div><div>a</div>b</div>" << 4 << "<divs><div>a</div>b</divs>" << 5;
    QTest::newRow("past a wide character") << "<p>😀<em>x</em>" << 8 << "<p>😀<ems>x</ems>" << 9;
}

void tst_TagAids::renameTogetherInOneUndoStep()
{
    QFETCH(QString, page);
    QFETCH(int, caret);
    QFETCH(QString, renamed);
    QFETCH(int, renamedCaret);
    ModelFixture f;
    TagAids aids(f.r1, f.builder);
    QVERIFY(f.load(page));
    f.r1.setSelStart(caret);
    aids.updatePartner();
    const int undoBefore = f.tracker.UndoIndex();
    f.type(QStringLiteral("s"));
    QCOMPARE(f.r1.Text(), renamed);
    QCOMPARE(f.r1.SelStart(), renamedCaret);
    QCOMPARE(f.tracker.UndoIndex(), undoBefore + 1);
    // Typing on before a new model is built keeps the pair linked.
    f.type(QStringLiteral("x"));
    f.key(Qt::Key_Backspace);
    f.key(Qt::Key_Backspace);
    QCOMPARE(f.r1.Text(), page);
    f.type(QStringLiteral("s"));
    f.tracker.mnuUndo_Click();
    QCOMPARE(f.r1.Text(), page);
}

void tst_TagAids::partnerBoxAndJump()
{
    ModelFixture f;
    TagAids aids(f.r1, f.builder);
    const QString page = QStringLiteral("<ul>\n<li><a href=\"#\">x</a>\n</ul>");
    QVERIFY(f.load(page));
    f.r1.setSelStart(1);
    aids.updatePartner();
    const int endName = static_cast<int>(page.indexOf(QLatin1String("</ul>"))) + 2;
    QCOMPARE(f.r1.marks(EditorControl::Mark::Partner), (QList<std::pair<int, int>>{{1, 2}, {endName, 2}}));
    f.key(Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(f.r1.SelStart(), endName);
    f.key(Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(f.r1.SelStart(), 1);
    // The li's end tag is left out: no partner, no box.
    f.r1.setSelStart(7);
    aids.updatePartner();
    QVERIFY(f.r1.marks(EditorControl::Mark::Partner).isEmpty());
    f.key(Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(f.r1.SelStart(), 7);
}

void tst_TagAids::completion_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caretFromEnd");
    QTest::newRow("element") << "" << "<secti" << "<section" << 0;
    QTest::newRow("attribute") << "<p>" << "<img al" << "<p><img alt=\"\"" << 1;
    QTest::newRow("character reference") << "<p>" << "&eacu" << "<p>&eacute;" << 0;
}

void tst_TagAids::completion()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(int, caretFromEnd);
    ModelFixture f;
    TagAids aids(f.r1, f.builder);
    QVERIFY(f.load(before));
    f.r1.setSelStart(f.r1.length());
    f.type(typed);
    QVERIFY(f.r1.choicesShown());
    f.key(Qt::Key_Return);
    QVERIFY(!f.r1.choicesShown());
    QCOMPARE(f.r1.Text(), after);
    QCOMPARE(f.r1.SelStart(), after.size() - caretFromEnd);
}

void tst_TagAids::escapeClosesAndEnterOnlyAcceptsAnOpenList()
{
    ModelFixture f;
    TagAids aids(f.r1, f.builder);
    f.type(QStringLiteral("<"));
    QVERIFY(f.r1.choicesShown());
    f.key(Qt::Key_Escape);
    QVERIFY(!f.r1.choicesShown());
    f.key(Qt::Key_Return);
    QCOMPARE(f.r1.Text(), QStringLiteral("<\r\n"));
}

void tst_TagAids::ctrlSpaceOffersWhatFits_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caret");
    QTest::newRow("attribute of the tag") << "<td cla" << "<td class=\"\"" << 11;
    QTest::newRow("element name") << "<p><secti" << "<p><section" << 11;
    QTest::newRow("new element") << "<p>x artic" << "<p>x <article>" << 14;
    QTest::newRow("character reference") << "a &copy" << "a &copy;" << 8;
    QTest::newRow("the tag reference's tags in text") << "<p>x " << "<p>x <a></a>" << 8;
}

void tst_TagAids::ctrlSpaceOffersWhatFits()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, caret);
    ModelFixture f;
    TagAids aids(f.r1, f.builder);
    f.r1.setText(before);
    f.r1.setSelStart(f.r1.length());
    f.key(Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(f.r1.choicesShown());
    f.key(Qt::Key_Return);
    QCOMPARE(f.r1.Text(), after);
    QCOMPARE(f.r1.SelStart(), caret);
}

void tst_TagAids::programWritesSetNothingOff()
{
    ModelFixture f;
    TagAids aids(f.r1, f.builder);
    QVERIFY(f.load(QStringLiteral("<b>x</b>")));
    f.r1.setSelStart(2);
    aids.updatePartner();
    // What the program inserts (tags, dialogs' markup) is written as it is.
    f.r1.setSelStart(8);
    f.r1.setSelText(QStringLiteral("<div>"));
    f.r1.setSelStart(1);
    f.r1.setSelText(QStringLiteral("i"));
    QCOMPARE(f.r1.Text(), QStringLiteral("<ib>x</b><div>"));
    QVERIFY(!f.r1.choicesShown());
}

void tst_TagAids::aidsTurnOffAndStaySo()
{
    {
        ModelFixture f;
        TagAids aids(f.r1, f.builder);
        aids.toggleAction(TagAids::AutoClose)->trigger();
        aids.toggleAction(TagAids::Completion)->trigger();
        QVERIFY(!aids.isEnabled(TagAids::AutoClose));
        f.type(QStringLiteral("<div>"));
        QCOMPARE(f.r1.Text(), QStringLiteral("<div>"));
        QVERIFY(!f.r1.choicesShown());
    }
    ModelFixture f;
    TagAids aids(f.r1, f.builder);
    QVERIFY(!aids.isEnabled(TagAids::AutoClose));
    QVERIFY(!aids.toggleAction(TagAids::Completion)->isChecked());
    QVERIFY(aids.isEnabled(TagAids::LinkedRename));
    f.type(QStringLiteral("<p>"));
    QCOMPARE(f.r1.Text(), QStringLiteral("<p>"));
}

ZORVANE_TEST(tst_TagAids)
#include "tst_TagAids.moc"
