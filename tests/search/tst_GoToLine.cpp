// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/GoToLine.h"

#include "app/frmMainWin.h"
#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QSettings>
#include <QTest>
#include <Qsci/qsciscintillabase.h>

namespace {

QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    return lines.join(QStringLiteral("\r\n"));
}

long marginWidth(const EditorControl &editor)
{
    return qobject_cast<QsciScintillaBase *>(editor.widget())->SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0ul);
}

} // namespace

class tst_GoToLine : public QObject
{
    Q_OBJECT

private slots:
    void lineNumber_data();
    void lineNumber();
    void asks_data();
    void asks();
    void caretLineIsOffered();
    void targetLineIsScrolledIntoView();
    void marginFollowsTheLineCount();
    void mainWindowCommands();
};

void tst_GoToLine::lineNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("line"); // 0: refused

    QTest::newRow("a line") << QStringLiteral("7") << 7;
    QTest::newRow("spaces around") << QStringLiteral("  7 ") << 7;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7;
    QTest::newRow("the first") << QStringLiteral("1") << 1;
    QTest::newRow("the last") << QStringLiteral("10") << 10;
    QTest::newRow("zero goes to the first") << QStringLiteral("0") << 1;
    QTest::newRow("negative goes to the first") << QStringLiteral("-3") << 1;
    QTest::newRow("past the end goes to the last") << QStringLiteral("11") << 10;
    QTest::newRow("beyond any integer") << QStringLiteral("99999999999999999999999999") << 10;
    QTest::newRow("leading zeros") << QStringLiteral("0004") << 4;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("a word") << QStringLiteral("ten") << 0;
    QTest::newRow("a number and more") << QStringLiteral("3a") << 0;
    QTest::newRow("a fraction") << QStringLiteral("2.5") << 0;
    QTest::newRow("a sign alone") << QStringLiteral("-") << 0;
    QTest::newRow("space inside") << QStringLiteral("1 2") << 0;
    QTest::newRow("other digits") << QStringLiteral("\u0663") << 0;
}

void tst_GoToLine::lineNumber()
{
    QFETCH(QString, typed);
    QFETCH(int, line);

    const std::optional<int> found = GoToLine::lineNumber(typed, 10);
    QCOMPARE(found.value_or(0), line);
}

void tst_GoToLine::asks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<QString>>("typed");
    QTest::addColumn<int>("caret"); // where the caret ends; the first character starts selected
    QTest::addColumn<bool>("refused");

    const QString grin = QString::fromUcs4(U"\U0001F600");
    QTest::newRow("CR LF lines") << QStringLiteral("ab\r\ncd\r\nef") << std::optional<QString>(QStringLiteral("3")) << 8 << false;
    QTest::newRow("after surrogate pairs") << QStringLiteral("%1%1\r\nx").arg(grin) << std::optional<QString>(QStringLiteral("2"))
                                           << 6 << false;
    QTest::newRow("LF and CR alone") << QStringLiteral("a\nb\rc") << std::optional<QString>(QStringLiteral("3")) << 4 << false;
    QTest::newRow("the empty last line") << QStringLiteral("a\r\n") << std::optional<QString>(QStringLiteral("9")) << 3 << false;
    QTest::newRow("one line") << QStringLiteral("abc") << std::optional<QString>(QStringLiteral("5")) << 0 << false;
    QTest::newRow("cancelled") << QStringLiteral("a\r\nb") << std::optional<QString>() << 0 << false;
    QTest::newRow("not a number") << QStringLiteral("a\r\nb") << std::optional<QString>(QStringLiteral("two")) << 0 << true;
}

void tst_GoToLine::asks()
{
    QFETCH(QString, text);
    QFETCH(std::optional<QString>, typed);
    QFETCH(int, caret);
    QFETCH(bool, refused);

    EditorControl editor;
    ScriptedHost host;
    editor.setText(text);
    editor.setSelStart(0);
    editor.setSelLength(1);
    host.answerInputBox(typed);
    if (refused)
        host.answerMsgBox(HostServices::Ok);
    GoToLine::ask(editor, host, 300, 450);

    QVERIFY(host.allAnswered());
    const ScriptedHost::Question &question = host.asked().first();
    QCOMPARE(question.kind, QStringLiteral("InputBox"));
    QCOMPARE(question.title, QStringLiteral("Go to Line"));
    QCOMPARE(question.text, QStringLiteral("Line number (1 - %1):").arg(editor.lineCount()));
    QCOMPARE(question.xTwips, 300);
    QCOMPARE(question.yTwips, 450);
    if (refused) {
        QCOMPARE(host.asked().last().kind, QStringLiteral("MsgBox"));
        QCOMPARE(host.asked().last().text, QStringLiteral("Enter a line number from 1 to %1.").arg(editor.lineCount()));
    }
    QCOMPARE(editor.SelStart(), caret);
    // A cancelled or refused answer leaves the selection as it was.
    QCOMPARE(editor.SelLength(), !typed || refused ? 1 : 0);
    QCOMPARE(editor.Text(), text);
}

void tst_GoToLine::caretLineIsOffered()
{
    EditorControl editor;
    ScriptedHost host;
    editor.setText(numberedLines(30));
    editor.setSelStart(editor.lineStart(16) + 2);
    host.answerInputBox(std::nullopt);
    GoToLine::ask(editor, host, 0, 0);
    QCOMPARE(host.asked().first().defaultText, QStringLiteral("17"));
}

void tst_GoToLine::targetLineIsScrolledIntoView()
{
    EditorControl editor;
    ScriptedHost host;
    editor.widget()->resize(400, 200);
    editor.widget()->show();
    editor.setText(numberedLines(2000));
    editor.setSelStart(0);
    auto *view = qobject_cast<QsciScintillaBase *>(editor.widget());
    QCOMPARE(view->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE), 0);

    host.answerInputBox(QStringLiteral("1500"));
    GoToLine::ask(editor, host, 0, 0);
    QCOMPARE(editor.SelStart(), editor.lineStart(1499));
    const long first = view->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
    const long shown = view->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN);
    QVERIFY2(first <= 1499 && 1499 < first + shown, qPrintable(QStringLiteral("first %1, shown %2").arg(first).arg(shown)));
}

void tst_GoToLine::marginFollowsTheLineCount()
{
    EditorControl editor;
    editor.setText(numberedLines(5));
    QVERIFY(!editor.lineNumbersShown());
    QCOMPARE(marginWidth(editor), 0);

    editor.setLineNumbersShown(true);
    QVERIFY(editor.lineNumbersShown());
    const long twoDigits = marginWidth(editor);
    QVERIFY(twoDigits > 0);
    // Wider once the line count has more digits, by typing as by any other change.
    editor.setSelStart(editor.length());
    editor.setSelText(QStringLiteral("\r\n").repeated(200));
    const long threeDigits = marginWidth(editor);
    QVERIFY(threeDigits > twoDigits);
    editor.setText(numberedLines(12000));
    QVERIFY(marginWidth(editor) > threeDigits);
    // And narrower again.
    editor.setText(QStringLiteral("x"));
    QCOMPARE(marginWidth(editor), twoDigits);

    editor.setLineNumbersShown(false);
    QCOMPARE(marginWidth(editor), 0);
    editor.setText(numberedLines(500));
    QCOMPARE(marginWidth(editor), 0);
}

void tst_GoToLine::mainWindowCommands()
{
    QSettings().clear();
    {
        ScriptedHost host;
        frmMainWin w(host);
        w.Form_Load();
        w.move(40, 30);
        w.show();
        w.r1().setText(numberedLines(50));
        QCOMPARE(w.action(QStringLiteral("mnuGoToLine"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
        host.answerInputBox(QStringLiteral("42"));
        w.action(QStringLiteral("mnuGoToLine"))->trigger();
        QCOMPARE(w.r1().SelStart(), w.r1().lineStart(41));
        QCOMPARE(host.asked().last().xTwips, w.frameGeometry().left() * 15);
        QCOMPARE(host.asked().last().yTwips, w.frameGeometry().top() * 15);

        QAction *lineNumbers = w.action(QStringLiteral("mnuLineNumbers"));
        QVERIFY(!lineNumbers->isChecked());
        QVERIFY(!w.r1().lineNumbersShown());
        lineNumbers->trigger();
        QVERIFY(w.r1().lineNumbersShown());
        QVERIFY(marginWidth(w.r1()) > 0);
    }
    // Remembered for the next window.
    ScriptedHost host;
    frmMainWin next(host);
    next.Form_Load();
    QVERIFY(next.action(QStringLiteral("mnuLineNumbers"))->isChecked());
    QVERIFY(next.r1().lineNumbersShown());
    next.action(QStringLiteral("mnuLineNumbers"))->trigger();
    QVERIFY(!next.r1().lineNumbersShown());
    QCOMPARE(marginWidth(next.r1()), 0);
}

ZORVANE_TEST(tst_GoToLine)
#include "tst_GoToLine.moc"
