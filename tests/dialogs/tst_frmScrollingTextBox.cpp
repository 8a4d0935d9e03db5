// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "dialogs/frmScrollingTextBox.h"
#include "support/TestMain.h"

class tst_frmScrollingTextBox : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsFragment_data();
    void okInsertsFragment();
    void enterInInitialTextStartsLine();
};

void tst_frmScrollingTextBox::okInsertsFragment_data()
{
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("all defaults") << QVariantMap{} << QStringLiteral("<textarea rows=\"2\" name=\"\" cols=\"20\"></textarea>");
    QTest::newRow("every field") << QVariantMap{{"txtName", "notes"},
                                                {"Text1", "hello"},
                                                {"txtWidth", "40"},
                                                {"txtNumberOfLines", "5"},
                                                {"txtTabOrder", "2"}}
                                 << QStringLiteral(
                                        "<textarea rows=\"5\" name=\"notes\" cols=\"40\" tabindex=\"2\">hello</textarea>");
    QTest::newRow("two lines of initial text")
        << QVariantMap{{"Text1", "first\nsecond"}}
        << QStringLiteral("<textarea rows=\"2\" name=\"\" cols=\"20\">first\r\nsecond</textarea>");
    QTest::newRow("initial text exactly as typed")
        << QVariantMap{{"Text1", QStringLiteral("a\u00a0b\u2028c\nd")}}
        << QStringLiteral("<textarea rows=\"2\" name=\"\" cols=\"20\">a\u00a0b\u2028c\r\nd</textarea>");
    QTest::newRow("pasted line break in a one-line field")
        << QVariantMap{{"txtName", "no\r\ntes"}} << QStringLiteral("<textarea rows=\"2\" name=\"notes\" cols=\"20\"></textarea>");
    QTest::newRow("one-space tab order") << QVariantMap{{"txtTabOrder", " "}}
                                         << QStringLiteral(
                                                "<textarea rows=\"2\" name=\"\" cols=\"20\" tabindex=\" \"></textarea>");
    QTest::newRow("empty rows and cols still written") << QVariantMap{{"txtWidth", ""}, {"txtNumberOfLines", ""}}
                                                       << QStringLiteral("<textarea rows=\"\" name=\"\" cols=\"\"></textarea>");
}

void tst_frmScrollingTextBox::okInsertsFragment()
{
    QFETCH(QVariantMap, edits);
    QFETCH(QString, fragment);

    DialogFixture fixture;
    frmScrollingTextBox form(fixture.editor, fixture.refresher());
    expectOkInserts(fixture, form, edits, fragment);
}

void tst_frmScrollingTextBox::enterInInitialTextStartsLine()
{
    DialogFixture fixture;
    frmScrollingTextBox form(fixture.editor, fixture.refresher());
    QVERIFY(showActive(form));
    auto *text = control<QPlainTextEdit>(form, QStringLiteral("Text1"));
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("first"));
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, QStringLiteral("second"));
    QVERIFY(form.isVisible());

    control<QPushButton>(form, QStringLiteral("cmdOK"))->click();
    QCOMPARE(fixture.editor.Text(),
             QStringLiteral("<body>\r\n<textarea rows=\"2\" name=\"\" cols=\"20\">first\r\nsecond</textarea></body>"));
}

ZORVANE_TEST(tst_frmScrollingTextBox)
#include "tst_frmScrollingTextBox.moc"
