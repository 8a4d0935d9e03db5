// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/RegexReplacement.h"
#include "search/RegexSearch.h"
#include "search/ReplaceAll.h"
#include "support/TestMain.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

enum Option { MatchCase = 1, WholeWord = 2 };

// A character beyond the basic plane: two UTF-16 units.
const QString grin = QString::fromUcs4(U"\U0001F600");

} // namespace

class tst_RegexSearch : public QObject
{
    Q_OBJECT

private slots:
    void replaceMatches_data();
    void replaceMatches();
    void findFrom_data();
    void findFrom();
    void badPatterns_data();
    void badPatterns();
    void pathologicalPatternsStop_data();
    void pathologicalPatternsStop();
};

void tst_RegexSearch::replaceMatches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("count");

    const int matchCase = MatchCase;
    const int wholeWord = WholeWord;
    // Spans lines and groups.
    QTest::newRow("a match across lines") << QStringLiteral("<p>\r\none\r\n</p>x") << QStringLiteral(R"(<p>[\s\S]*?</p>)")
                                          << QStringLiteral(R"([\0])") << 0 << QStringLiteral("[<p>\r\none\r\n</p>]x") << 1;
    QTest::newRow("CR LF matched as written") << QStringLiteral("a\r\nb\r\nc") << QStringLiteral(R"(\r\n)")
                                              << QStringLiteral("<br>") << 0 << QStringLiteral("a<br>b<br>c") << 2;
    QTest::newRow("line anchors at CR LF") << QStringLiteral("a1\r\nb2\r\nc3") << QStringLiteral(R"(^(\w)(\d)$)")
                                           << QStringLiteral(R"(\2\1)") << 0 << QStringLiteral("1a\r\n2b\r\n3c") << 3;
    QTest::newRow("line anchors at LF and CR alone") << QStringLiteral("a1\nb2\rc3") << QStringLiteral(R"(^\w(\d)$)")
                                                     << QStringLiteral(R"(\1)") << 0 << QStringLiteral("1\n2\r3") << 3;
    QTest::newRow("dot stops at a line break")
        << QStringLiteral("ab\r\ncd") << QStringLiteral("b.") << QStringLiteral("x") << 0 << QStringLiteral("ab\r\ncd") << 0;
    QTest::newRow("trailing blanks") << QStringLiteral("x \t\r\ny  ") << QStringLiteral(R"([ \t]+$)") << QString() << 0
                                     << QStringLiteral("x\r\ny") << 2;
    // The replacement's escapes.
    QTest::newRow("back-references swapped") << QStringLiteral("John Smith, Ann Lee") << QStringLiteral(R"((\w+) (\w+))")
                                             << QStringLiteral(R"(\2 \1)") << 0 << QStringLiteral("Smith John, Lee Ann") << 2;
    QTest::newRow("whole match, tab, line break, backslash")
        << QStringLiteral("a b") << QStringLiteral(R"(\w)") << QStringLiteral(R"(\0\t\\\n)") << 0
        << QStringLiteral("a\t\\\r\n b\t\\\r\n") << 2;
    QTest::newRow("\\r\\n is one line break")
        << QStringLiteral("a,b") << QStringLiteral(",") << QStringLiteral(R"(\r\n)") << 0 << QStringLiteral("a\r\nb") << 1;
    QTest::newRow("unset group and unknown escape") << QStringLiteral("ab") << QStringLiteral("(x)?(a)")
                                                    << QStringLiteral(R"([\1|\2|\q])") << 0 << QStringLiteral("[|a|\\q]b") << 1;
    QTest::newRow("\\10 is group 1 and a 0")
        << QStringLiteral("ab") << QStringLiteral("(a)") << QStringLiteral(R"(\10)") << 0 << QStringLiteral("a0b") << 1;
    QTest::newRow("a replacement like the match counts")
        << QStringLiteral("aaa") << QStringLiteral("a") << QStringLiteral(R"(\0)") << 0 << QStringLiteral("aaa") << 3;
    QTest::newRow("matches do not overlap") << QStringLiteral("aaaaa") << QStringLiteral("aa") << QStringLiteral("b") << 0
                                            << QStringLiteral("bba") << 2;
    QTest::newRow("look-behind sees the text before the match")
        << QStringLiteral("xa ya") << QStringLiteral("(?<=x)a") << QStringLiteral("A") << 0 << QStringLiteral("xA ya") << 1;
    // Empty matches move on by one character.
    QTest::newRow("empty matches between characters")
        << QStringLiteral("axb") << QStringLiteral("x*") << QStringLiteral("-") << 0 << QStringLiteral("-a--b-") << 4;
    // As in Perl, "^" does not match after the line break that ends the text.
    QTest::newRow("line starts") << QStringLiteral("a\r\nb\r\n") << QStringLiteral("^") << QStringLiteral("> ") << 0
                                 << QStringLiteral("> a\r\n> b\r\n") << 2;
    QTest::newRow("line ends") << QStringLiteral("a\r\nb") << QStringLiteral("$") << QStringLiteral(";") << 0
                               << QStringLiteral("a;\r\nb;") << 2;
    QTest::newRow("CR LF is one character") << QStringLiteral("a\r\nb") << QStringLiteral("(?:)") << QStringLiteral("|") << 0
                                            << QStringLiteral("|a|\r\n|b|") << 4;
    QTest::newRow("between CR and LF when asked for")
        << QStringLiteral("a\r\nb") << QStringLiteral(R"((?=\n))") << QStringLiteral("X") << 0 << QStringLiteral("a\rX\nb") << 1;
    // Characters beyond the basic plane stay whole.
    QTest::newRow("surrogate pairs are one character")
        << QStringLiteral("a%1b%1").arg(grin) << QStringLiteral(".") << QStringLiteral(R"([\0])") << 0
        << QStringLiteral("[a][%1][b][%1]").arg(grin) << 4;
    QTest::newRow("empty matches around a surrogate pair")
        << grin << QStringLiteral("(?:)") << QStringLiteral("|") << 0 << QStringLiteral("|%1|").arg(grin) << 2;
    QTest::newRow("a surrogate pair by its code point") << QStringLiteral("x%1y").arg(grin) << QStringLiteral(R"(\x{1F600})")
                                                        << QStringLiteral(":)") << 0 << QStringLiteral("x:)y") << 1;
    QTest::newRow("case folded beyond the basic plane")
        << QString::fromUcs4(U"\U00010400 \U00010428") << QString::fromUcs4(U"\U00010428") << QStringLiteral("d") << 0
        << QStringLiteral("d d") << 2;
    // Match Case and Whole Word.
    QTest::newRow("any case") << QStringLiteral("Cat cAT \u00c9t\u00e9") << QStringLiteral("cat|\u00e9t\u00c9")
                              << QStringLiteral("x") << 0 << QStringLiteral("x x x") << 3;
    QTest::newRow("match case") << QStringLiteral("Cat cat") << QStringLiteral("cat") << QStringLiteral("x") << matchCase
                                << QStringLiteral("Cat x") << 1;
    QTest::newRow("inline option overrides") << QStringLiteral("Cat cat") << QStringLiteral("(?i)cat") << QStringLiteral("x")
                                             << matchCase << QStringLiteral("x x") << 2;
    QTest::newRow("whole word") << QStringLiteral("cat concatenate cat_ cat") << QStringLiteral("cat") << QStringLiteral("x")
                                << wholeWord << QStringLiteral("x concatenate cat_ x") << 2;
    QTest::newRow("whole word tries the longer alternative") << QStringLiteral("category") << QStringLiteral("cat|category")
                                                             << QStringLiteral("x") << wholeWord << QStringLiteral("x") << 1;
    QTest::newRow("whole word, match starting with a non-word character")
        << QStringLiteral("a -x -xy") << QStringLiteral("-x") << QStringLiteral("#") << wholeWord << QStringLiteral("a # -xy")
        << 1;
    QTest::newRow("whole word, accents and marks are letters")
        << QStringLiteral("caf\u00e9 cafe\u0301 caf") << QStringLiteral("caf") << QStringLiteral("x") << wholeWord
        << QStringLiteral("caf\u00e9 cafe\u0301 x") << 1;
    QTest::newRow("whole word beside a letter beyond the basic plane")
        << QString::fromUcs4(U"\U00010400x x") << QStringLiteral("x") << QStringLiteral("y") << wholeWord
        << QString::fromUcs4(U"\U00010400x y") << 1;
    QTest::newRow("whole word, pattern ending in an extended-mode comment")
        << QStringLiteral("cat concat") << QStringLiteral("(?x) c a t  # the animal") << QStringLiteral("dog") << wholeWord
        << QStringLiteral("dog concat") << 1;
    QTest::newRow("whole word, pattern ending in an open quotation")
        << QStringLiteral("a.b xa.b") << QStringLiteral(R"(\Qa.b)") << QStringLiteral("c") << wholeWord
        << QStringLiteral("c xa.b") << 1;
    QTest::newRow("start settings stay first") << QStringLiteral("cat cats") << QStringLiteral("(*LIMIT_MATCH=1000)(*UCP)cat")
                                               << QStringLiteral("dog") << wholeWord << QStringLiteral("dog cats") << 1;
    QTest::newRow("no match") << QStringLiteral("abc") << QStringLiteral(R"(\d)") << QStringLiteral("x") << 0
                              << QStringLiteral("abc") << 0;
}

void tst_RegexSearch::replaceMatches()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(int, options);
    QFETCH(QString, result);
    QFETCH(int, count);

    RegexSearch search(pattern, options & MatchCase, options & WholeWord);
    QCOMPARE(search.error(), QString());
    const ReplaceAll::RegexReplaced replaced = ReplaceAll::replaceMatches(text, search, RegexReplacement(replacement));
    QCOMPARE(replaced.count, count);
    QCOMPARE(replaced.status, count > 0 ? RegexSearch::Status::Found : RegexSearch::Status::NotFound);
    const QString rebuilt = count > 0 ? text.first(replaced.first) + replaced.span + text.sliced(replaced.end) : text;
    QCOMPARE(rebuilt, result);
}

void tst_RegexSearch::findFrom_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("skipEmptyAtStart");
    QTest::addColumn<int>("start"); // -1: none
    QTest::addColumn<int>("end");

    QTest::newRow("from an offset") << QStringLiteral("ab ab") << QStringLiteral("ab") << 1 << false << 3 << 5;
    QTest::newRow("empty match at the start") << QStringLiteral("ab") << QStringLiteral("x*") << 1 << false << 1 << 1;
    QTest::newRow("empty match at the start skipped") << QStringLiteral("ab") << QStringLiteral("x*") << 1 << true << 2 << 2;
    QTest::newRow("a longer match at the start is not skipped")
        << QStringLiteral("ab") << QStringLiteral("b*") << 1 << true << 1 << 2;
    QTest::newRow("from the end") << QStringLiteral("ab") << QStringLiteral("$") << 2 << false << 2 << 2;
    QTest::newRow("beyond the end") << QStringLiteral("ab") << QStringLiteral("$") << 3 << false << -1 << -1;
    QTest::newRow("from inside a surrogate pair")
        << QStringLiteral("%1a").arg(grin) << QStringLiteral(".") << 1 << false << 2 << 3;
    QTest::newRow("offsets count UTF-16 units")
        << QStringLiteral("%1\r\n%1x").arg(grin) << QStringLiteral("x") << 0 << false << 6 << 7;
}

void tst_RegexSearch::findFrom()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(int, from);
    QFETCH(bool, skipEmptyAtStart);
    QFETCH(int, start);
    QFETCH(int, end);

    RegexSearch search(pattern, true, false);
    const RegexSearch::Status status = search.find(text, from, skipEmptyAtStart);
    QCOMPARE(status, start < 0 ? RegexSearch::Status::NotFound : RegexSearch::Status::Found);
    if (start >= 0) {
        QCOMPARE(search.start(), start);
        QCOMPARE(search.end(), end);
    }
}

void tst_RegexSearch::badPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("error");

    QTest::newRow("open group") << QStringLiteral("a(b")
                                << QStringLiteral("Error at the end of the regular expression: missing closing parenthesis.");
    QTest::newRow("unmatched closing parenthesis")
        << QStringLiteral("ab)c")
        << QStringLiteral("Error in the regular expression at character 3: unmatched closing parenthesis.");
    QTest::newRow("position counted in characters")
        << QStringLiteral("%1%1[z-a]").arg(grin)
        << QStringLiteral("Error in the regular expression at character 6: range out of order in character class.");
    QTest::newRow("nothing to repeat") << QStringLiteral("*a")
                                       << QStringLiteral("Error in the regular expression at character 1: quantifier does not "
                                                         "follow a repeatable item.");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800))
                                    << QStringLiteral("Error in the regular expression at character 1: UTF-16 error: missing "
                                                      "low surrogate at end.");
}

void tst_RegexSearch::badPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, error);

    for (const bool wholeWord : {false, true}) {
        RegexSearch search(pattern, false, wholeWord);
        QCOMPARE(search.error(), error);
        QCOMPARE(search.find(QStringLiteral("abc"), 0), RegexSearch::Status::NotFound);
    }
}

void tst_RegexSearch::pathologicalPatternsStop_data()
{
    QTest::addColumn<QString>("run");
    QTest::addColumn<QString>("reason");

    // Every start tries many ways, but none beyond PCRE2's limit: only the time stops it.
    QTest::newRow("slow everywhere") << QStringLiteral("a").repeated(22) << QStringLiteral("it took longer than 0.2 s");
    // One start alone tries more ways than the match limit allows.
    QTest::newRow("too many ways at one place") << QStringLiteral("a").repeated(60) << QStringLiteral("match limit exceeded");
}

void tst_RegexSearch::pathologicalPatternsStop()
{
    QFETCH(QString, run);
    QFETCH(QString, reason);

    // A 1 MB page of runs each followed by "!".
    const QString page = (run + u'!').repeated(1024 * 1024 / (run.size() + 1));
    RegexSearch search(QStringLiteral("(a|aa)+$"), false, false, 200ms);
    QCOMPARE(search.find(page, 0), RegexSearch::Status::Stopped);
    QCOMPARE(search.stopReason(), reason);
    // Replace All stops as well, with nothing to write.
    const ReplaceAll::RegexReplaced replaced = ReplaceAll::replaceMatches(page, search, RegexReplacement(QStringLiteral("x")));
    QCOMPARE(replaced.status, RegexSearch::Status::Stopped);
    QCOMPARE(replaced.span, QString());
}

ZORVANE_TEST(tst_RegexSearch)
#include "tst_RegexSearch.moc"
