// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/frmFind.h"

#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString grin = QString::fromUcs4(U"\U0001F600");

// The dialog with "Regular expression" ticked, on an editor holding text.
struct RegexFixture {
    explicit RegexFixture(const QString &text, const QString &pattern, const QString &replacement = {})
    {
        editor.setText(text);
        dialog = new frmFind(editor, host, mnuFind, [this] { ++refreshes; });
        check("chkRegex")->setChecked(true);
        combo("cboFind")->setEditText(pattern);
        combo("cboReplace")->setEditText(replacement);
    }
    ~RegexFixture() { delete dialog.data(); }

    QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(QLatin1String(name)); }
    QComboBox *combo(const char *name) const { return dialog->findChild<QComboBox *>(QLatin1String(name)); }
    QCheckBox *check(const char *name) const { return dialog->findChild<QCheckBox *>(QLatin1String(name)); }
    QLabel *errorLabel() const { return dialog->findChild<QLabel *>(QStringLiteral("lblRegexError")); }
    QString error() const { return errorLabel()->isHidden() ? QString() : errorLabel()->text(); }
    QString selection() const { return QStringLiteral("%1,%2").arg(editor.SelStart()).arg(editor.SelLength()); }

    // Clicks, answering the message box the outcome names; an outcome that starts with a digit
    // is the selection after the click.
    void click(const char *name, const QString &outcome)
    {
        const bool message = !outcome.front().isDigit();
        if (message)
            host.answerMsgBox(HostServices::Ok);
        const qsizetype before = host.asked().size();
        button(name)->click();
        if (message) {
            QCOMPARE(host.asked().size(), before + 1);
            QCOMPARE(host.asked().last().text, outcome);
        } else {
            QCOMPARE(host.asked().size(), before);
            QCOMPARE(selection(), outcome);
        }
    }

    ScriptedHost host;
    QAction mnuFind{QStringLiteral("Find and Replace")};
    EditorControl editor;
    QPointer<frmFind> dialog;
    int refreshes = 0;
};

const QString textNotFound = QStringLiteral("Text not found");

} // namespace

class tst_frmFindRegex : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }
    void checkBoxJoinsTheOptions();
    void findClicks_data();
    void findClicks();
    void replaceClicks_data();
    void replaceClicks();
    void replacePassesOverASelectionThatIsNoMatch();
    void replaceAll_data();
    void replaceAll();
    void replaceAllIsOneRestorableChange();
    void unusableSearchChangesNothing_data();
    void unusableSearchChangesNothing();
    void pathologicalPatternStopsOnTheLargePage();
};

void tst_frmFindRegex::checkBoxJoinsTheOptions()
{
    {
        RegexFixture f(QStringLiteral("text"), QString());
        QCOMPARE(f.check("chkRegex")->text(), QStringLiteral("Regular e&xpression"));
        QCOMPARE(f.check("chkRegex")->parentWidget()->objectName(), QStringLiteral("Frame1"));
        // Last in the tab order: the other controls keep theirs.
        QCOMPARE(f.button("cmdReplaceAll")->nextInFocusChain(), f.check("chkRegex"));
        QVERIFY(f.errorLabel()->isHidden());
    }
    // Ticked above, it is ticked at the next opening; a fresh setting starts cleared.
    EditorControl editor;
    ScriptedHost host;
    QAction mnuFind;
    QPointer<frmFind> again = new frmFind(editor, host, mnuFind, [] {});
    QVERIFY(again->findChild<QCheckBox *>(QStringLiteral("chkRegex"))->isChecked());
    delete again.data();
    QSettings().clear();
    QPointer<frmFind> fresh = new frmFind(editor, host, mnuFind, [] {});
    QVERIFY(!fresh->findChild<QCheckBox *>(QStringLiteral("chkRegex"))->isChecked());
    delete fresh.data();
}

void tst_frmFindRegex::findClicks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("options");
    // Per click of Find: the selection after it ("start,length"), or the message it showed.
    QTest::addColumn<QStringList>("outcomes");

    QTest::newRow("Find, then Find Next") << QStringLiteral("a1 b22 c3") << QStringLiteral(R"(\d+)") << 0
                                          << QStringList{"1,1", "4,2", "8,1", textNotFound};
    QTest::newRow("a match across lines") << QStringLiteral("<p>\r\nx\r\n</p>") << QStringLiteral(R"(<p>\s+x)") << 0
                                          << QStringList{"0,6", textNotFound};
    // As in Perl, "^" does not match after the line break that ends the text.
    QTest::newRow("empty matches move on") << QStringLiteral("a\r\nb\r\n") << QStringLiteral("^") << 0
                                           << QStringList{"0,0", "3,0", textNotFound};
    // The editor selects a line break whole.
    QTest::newRow("a line feed after a carriage return")
        << QStringLiteral("a\r\nb") << QStringLiteral(R"(\n)") << 0 << QStringList{"1,2", textNotFound};
    QTest::newRow("offsets after surrogate pairs")
        << QStringLiteral("%1a%1a").arg(grin) << QStringLiteral("a") << 0 << QStringList{"2,1", "5,1", textNotFound};
    QTest::newRow("a surrogate pair found whole")
        << QStringLiteral("x%1").arg(grin) << QStringLiteral("[^x]") << 0 << QStringList{"1,2", textNotFound};
    QTest::newRow("match case") << QStringLiteral("Ab ab") << QStringLiteral("a.") << int(EditorControl::MatchCase)
                                << QStringList{"3,2", textNotFound};
    QTest::newRow("whole word") << QStringLiteral("cats cat") << QStringLiteral("cats?") << int(EditorControl::WholeWord)
                                << QStringList{"0,4", "5,3", textNotFound};
    QTest::newRow("no highlight") << QStringLiteral("ab ab") << QStringLiteral("b") << int(EditorControl::NoHighlight)
                                  << QStringList{"0,0", "0,0"};
    QTest::newRow("not found") << QStringLiteral("abc") << QStringLiteral(R"(\d)") << 0 << QStringList{"Text Not Found"};
    QTest::newRow("empty pattern, as a plain search") << QStringLiteral("abc") << QString() << 0 << QStringList{"Text Not Found"};
}

void tst_frmFindRegex::findClicks()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(int, options);
    QFETCH(QStringList, outcomes);

    RegexFixture f(text, pattern);
    f.check("chkWholeWord")->setChecked(options & EditorControl::WholeWord);
    f.check("chkMatchCase")->setChecked(options & EditorControl::MatchCase);
    f.check("chkNoHighlight")->setChecked(options & EditorControl::NoHighlight);
    for (const QString &outcome : outcomes)
        f.click("cmdFind", outcome);
    QVERIFY(f.host.allAnswered());
    QCOMPARE(f.editor.Text(), text);
    QCOMPARE(f.refreshes, outcomes.size());
    QCOMPARE(f.error(), QString());
}

void tst_frmFindRegex::replaceClicks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    // The clicks after the first Find and the arming of Replace, and what each gives.
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("outcomes");

    QTest::newRow("back-references, one match at a time")
        << QStringLiteral("a1 b2") << QStringLiteral(R"((\w)(\d))") << QStringLiteral(R"(\2\1)") << QStringLiteral("1a 2b")
        << QStringList{"cmdReplace", "cmdReplace"} << QStringList{"3,2", textNotFound};
    QTest::newRow("a match skipped with Find Next")
        << QStringLiteral("a1 b2 c3") << QStringLiteral(R"(\w\d)") << QStringLiteral("x") << QStringLiteral("a1 x c3")
        << QStringList{"cmdFind", "cmdReplace"} << QStringList{"3,2", "5,2"};
    QTest::newRow("empty matches replaced once each")
        << QStringLiteral("a\r\nb") << QStringLiteral("^") << QStringLiteral("> ") << QStringLiteral("> a\r\n> b")
        << QStringList{"cmdReplace", "cmdReplace"} << QStringList{"5,0", textNotFound};
    QTest::newRow("empty matches removed once each")
        << QStringLiteral("a\r\nb") << QStringLiteral("^") << QString() << QStringLiteral("a\r\nb")
        << QStringList{"cmdReplace", "cmdReplace"} << QStringList{"3,0", textNotFound};
    QTest::newRow("a multi-line match with a line break put in")
        << QStringLiteral("<br>\r\n<br>x") << QStringLiteral(R"(<br>(\r\n)?)") << QStringLiteral(R"(\n)")
        << QStringLiteral("\r\n\r\nx") << QStringList{"cmdReplace", "cmdReplace"} << QStringList{"2,4", textNotFound};
    QTest::newRow("a line feed alone, shown with its carriage return")
        << QStringLiteral("a\r\nb\r\nc") << QStringLiteral(R"(\n)") << QStringLiteral("<br>") << QStringLiteral("a\r<br>b\r<br>c")
        << QStringList{"cmdReplace", "cmdReplace"} << QStringList{"7,2", textNotFound};
    QTest::newRow("an empty match inside a line break")
        << QStringLiteral("a\r\nb\r\n") << QStringLiteral(R"((?=\n))") << QString() << QStringLiteral("a\r\nb\r\n")
        << QStringList{"cmdReplace", "cmdReplace"} << QStringList{"4,2", textNotFound};
}

void tst_frmFindRegex::replaceClicks()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QString, result);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, outcomes);

    RegexFixture f(text, pattern, replacement);
    f.button("cmdFind")->click();
    f.button("cmdReplace")->click();
    for (qsizetype i = 0; i < clicks.size(); ++i)
        f.click(qPrintable(clicks.at(i)), outcomes.at(i));
    QCOMPARE(f.editor.Text(), result);
    QVERIFY(f.host.allAnswered());
}

void tst_frmFindRegex::replacePassesOverASelectionThatIsNoMatch()
{
    RegexFixture f(QStringLiteral("a1 b2 c3"), QStringLiteral(R"(\w\d)"), QStringLiteral("x"));
    f.button("cmdReplace")->click();
    // Part of a match, and text that holds a match: neither is replaced.
    for (const auto &[start, length] : {std::pair(0, 1), std::pair(2, 4)}) {
        f.editor.setSelStart(start);
        f.editor.setSelLength(length);
        f.button("cmdReplace")->click();
        QCOMPARE(f.editor.Text(), QStringLiteral("a1 b2 c3"));
    }
    QCOMPARE(f.selection(), QStringLiteral("6,2"));
    // The match selected by hand is.
    f.editor.setSelStart(3);
    f.editor.setSelLength(2);
    f.button("cmdReplace")->click();
    QCOMPARE(f.editor.Text(), QStringLiteral("a1 x c3"));
    QCOMPARE(f.selection(), QStringLiteral("5,2"));
}

void tst_frmFindRegex::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("caret");

    QTest::newRow("groups across lines") << QStringLiteral("<b>\r\nx</b> <b>y</b>") << QStringLiteral(R"(<b>\s*(.*?)</b>)")
                                         << QStringLiteral(R"(<strong>\1</strong>)")
                                         << QStringLiteral("<strong>x</strong> <strong>y</strong>") << 2 << 37;
    QTest::newRow("between CR and LF") << QStringLiteral("a\r\nb\r\n") << QStringLiteral(R"((?=\n))") << QStringLiteral("X")
                                       << QStringLiteral("a\rX\nb\rX\n") << 2 << 7;
    QTest::newRow("after surrogate pairs") << QStringLiteral("%1a%1a").arg(grin) << QStringLiteral("a") << QStringLiteral("bb")
                                           << QStringLiteral("%1bb%1bb").arg(grin) << 2 << 8;
    QTest::newRow("a replacement like the match counts")
        << QStringLiteral("abc") << QStringLiteral(".") << QStringLiteral(R"(\0)") << QStringLiteral("abc") << 3 << 3;
    QTest::newRow("empty matches") << QStringLiteral("ab") << QStringLiteral("x*") << QStringLiteral("-")
                                   << QStringLiteral("-a-b-") << 3 << 5;
    QTest::newRow("no match") << QStringLiteral("ab") << QStringLiteral(R"(\d)") << QStringLiteral("-") << QStringLiteral("ab")
                              << 0 << 2;
}

void tst_frmFindRegex::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QString, result);
    QFETCH(int, count);
    QFETCH(int, caret);

    RegexFixture f(text, pattern, replacement);
    f.editor.setSelStart(static_cast<int>(text.size()));
    QSignalSpy changes(&f.editor, &EditorControl::Change);
    if (count > 0)
        f.click("cmdReplaceAll",
                QStringLiteral("The specified region has been searched. \r\n%1 replacements have been made.").arg(count));
    else
        f.button("cmdReplaceAll")->click();
    QCOMPARE(f.editor.Text(), result);
    QCOMPARE(changes.count(), count > 0 ? 1 : 0);
    QCOMPARE(f.selection(), QStringLiteral("%1,0").arg(caret));
    QCOMPARE(f.button("cmdFind")->text(), QStringLiteral("&Find"));
    QCOMPARE(f.refreshes, 1);
    QVERIFY(f.host.allAnswered());
}

void tst_frmFindRegex::replaceAllIsOneRestorableChange()
{
    const QString original = QStringLiteral("<p>one</p>\r\n<p>two</p>\r\n");
    RegexFixture f(original, QStringLiteral(R"(<p>(\w+)</p>\r\n)"), QStringLiteral(R"(<li>\1</li>\n)"));
    QList<QList<ContentEdit>> changes;
    connect(&f.editor, &EditorControl::Change, &f.editor, [&] { changes.append(f.editor.lastEdits()); });

    f.click("cmdReplaceAll", QStringLiteral("The specified region has been searched. \r\n2 replacements have been made."));
    QCOMPARE(f.editor.Text(), QStringLiteral("<li>one</li>\r\n<li>two</li>\r\n"));
    QCOMPARE(changes.size(), 1);
    QList<ContentEdit> undo;
    for (auto edit = changes.first().crbegin(); edit != changes.first().crend(); ++edit)
        undo.append({edit->offset, edit->inserted, edit->removed});
    f.editor.applyEdits(undo);
    QCOMPARE(f.editor.Text(), original);
}

void tst_frmFindRegex::unusableSearchChangesNothing_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("error");

    QTest::newRow("bad pattern") << QStringLiteral("<(b") << QStringLiteral("x")
                                 << QStringLiteral("Error at the end of the regular expression: missing closing parenthesis.");
    QTest::newRow("bad pattern, position") << QStringLiteral("a{2,1}") << QStringLiteral("x")
                                           << QStringLiteral("Error in the regular expression at character 6: numbers out of "
                                                             "order in {} quantifier.");
    QTest::newRow("replacement beyond the groups")
        << QStringLiteral("(a)(b)") << QStringLiteral(R"(\3)")
        << QStringLiteral("The replacement refers to group \\3, but the regular expression has 2 groups.");
    QTest::newRow("replacement group without groups")
        << QStringLiteral("ab") << QStringLiteral(R"(\1)")
        << QStringLiteral("The replacement refers to group \\1, but the regular expression has no groups.");
}

void tst_frmFindRegex::unusableSearchChangesNothing()
{
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QString, error);

    const bool badPattern = error.startsWith(u"Error");
    RegexFixture f(QStringLiteral("ab ab"), pattern, replacement);
    f.button("cmdReplace")->click();
    f.editor.setSelStart(0);
    f.editor.setSelLength(2);
    QSignalSpy changes(&f.editor, &EditorControl::Change);
    const QStringList buttons =
        badPattern ? QStringList{"cmdFind", "cmdReplace", "cmdReplaceAll"} : QStringList{"cmdReplace", "cmdReplaceAll"};
    for (const QString &name : buttons) {
        f.combo("cboFind")->setEditText(QString());
        QCOMPARE(f.error(), QString());
        f.combo("cboFind")->setEditText(pattern);
        f.button(qPrintable(name))->click();
        QCOMPARE(f.error(), error);
    }
    QCOMPARE(f.editor.Text(), QStringLiteral("ab ab"));
    QCOMPARE(f.selection(), QStringLiteral("0,2"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(f.host.asked().size(), 0);
    QCOMPARE(f.refreshes, 0);
    QCOMPARE(f.button("cmdFind")->text(), QStringLiteral("&Find"));
    // Unticking the box makes it a plain search again: the message goes.
    f.check("chkRegex")->setChecked(false);
    QCOMPARE(f.error(), QString());
}

void tst_frmFindRegex::pathologicalPatternStopsOnTheLargePage()
{
    // A 1 MB page where every start of "(a|aa)+$" tries many thousand ways.
    const QString page = QStringLiteral("aaaaaaaaaaaaaaaaaaaaaa!\r\n").repeated(1024 * 1024 / 25);
    RegexFixture f(page, QStringLiteral("(a|aa)+$"), QStringLiteral("x"));
    QSignalSpy changes(&f.editor, &EditorControl::Change);
    for (const char *name : {"cmdFind", "cmdReplaceAll"}) {
        f.button(name)->click();
        QCOMPARE(f.error(), QStringLiteral("The search was stopped: it took longer than 1 s. The regular expression backtracks "
                                           "too much on this page."));
    }
    QCOMPARE(changes.count(), 0);
    QCOMPARE(f.host.asked().size(), 0);
    QCOMPARE(f.refreshes, 0);
    // The next search runs afresh.
    f.combo("cboFind")->setEditText(QStringLiteral("!$"));
    f.button("cmdFind")->click();
    QCOMPARE(f.selection(), QStringLiteral("22,1"));
    QCOMPARE(f.error(), QString());
}

ZORVANE_TEST(tst_frmFindRegex)
#include "tst_frmFindRegex.moc"
