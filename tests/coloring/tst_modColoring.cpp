// SPDX-License-Identifier: GPL-3.0-or-later
#include "coloring/modColoring.h"
#include "editor/EditorControl.h"
#include "support/TestMain.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// One letter per UTF-16 unit: P plain (as written), B base, M markup, C comment.
QByteArray coloursFromLetters(const QString &letters)
{
    QByteArray colours;
    for (const QChar letter : letters)
        colours.append(static_cast<char>(QStringLiteral("PBMC").indexOf(letter)));
    return colours;
}

QString lettersFromColours(const QByteArray &colours)
{
    QString letters;
    for (const char colour : colours)
        letters.append(QStringLiteral("PBMC").at(colour));
    return letters;
}

QString repeat(QChar c, int count)
{
    return QString(count, c);
}

// The colouring as the algorithm states it, step by step on the whole text: the yardstick for
// the engine, which reads and paints only what it needs.
QByteArray referenceColours(const QString &text, int caret, QByteArray colours)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype end = n;
    if (caret != 0) {
        if (caret > 100) {
            for (qsizetype i = caret - 101; i >= 0; --i) {
                if (text.at(i) == u'<') {
                    start = i;
                    break;
                }
            }
        }
        const qsizetype close = text.indexOf(u'>', caret - 1);
        end = close < 0 ? n : close + 1;
    }
    std::fill(colours.begin() + start, colours.begin() + end, '\1');
    qsizetype pos = start;
    for (;;) {
        const qsizetype s = text.indexOf(u'<', pos);
        const qsizetype e = s < 0 ? -1 : text.indexOf(u'>', s);
        if (s < 0 || e < 0)
            break;
        std::fill(colours.begin() + s, colours.begin() + e + 1, text.mid(s, 2) == QLatin1String("<!") ? '\3' : '\2');
        pos = e + 1;
        if (pos > end)
            break;
    }
    return colours;
}

} // namespace

class tst_modColoring : public QObject
{
    Q_OBJECT

private slots:
    void colorMarkup_data();
    void colorMarkup();
    void paintBaseColorPaintsTheWindowOnly_data();
    void paintBaseColorPaintsTheWindowOnly();
    void wholeTextAcrossPieces_data();
    void wholeTextAcrossPieces();
    void targetSelectionIsLeftAlone();
    void matchesTheAlgorithmOnRandomPages();
};

void tst_modColoring::colorMarkup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("before"); // empty: everything plain
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty text") << QString() << 0 << QString() << QString();
    QTest::newRow("empty text, window") << QString() << 3 << QString() << QString();
    QTest::newRow("whole: a<b>c") << QStringLiteral("a<b>c") << 0 << QString() << QStringLiteral("BMMMB");
    QTest::newRow("whole: declaration then tag")
        << QStringLiteral("<!DOCTYPE html><p>") << 0 << QString() << repeat(u'C', 15) + QStringLiteral("MMM");
    QTest::newRow("whole: unclosed <") << QStringLiteral("<a") << 0 << QString() << QStringLiteral("BB");
    QTest::newRow("whole: < inside a span") << QStringLiteral("<a <b>") << 0 << QString() << QStringLiteral("MMMMMM");
    QTest::newRow("whole: > inside a comment ends it")
        << QStringLiteral("<!-- a > b -->") << 0 << QString() << repeat(u'C', 8) + repeat(u'B', 6);
    QTest::newRow("whole: stray > is text") << QStringLiteral("a>b<i>") << 0 << QString() << QStringLiteral("BBBMMM");
    QTest::newRow("whole: repaints every colour")
        << QStringLiteral("x<i>") << 0 << QStringLiteral("CCCB") << QStringLiteral("BMMM");
    QTest::newRow("whole: line breaks") << QStringLiteral("<a>\r\n<b>") << 0 << QString() << QStringLiteral("MMMBBMMM");
    QTest::newRow("whole: surrogate pair") << QStringLiteral("\U0001F600<b>") << 0 << QString() << QStringLiteral("BBMMM");

    QTest::newRow("window: caret under 100 starts at 0, one more span finds none")
        << QStringLiteral("x<i>y") << 3 << QString() << QStringLiteral("BMMMP");
    QTest::newRow("window: <b>x</b>y<i>z</i> at 5")
        << QStringLiteral("<b>x</b>y<i>z</i>") << 5 << QString() << QStringLiteral("MMMBMMMMPMMMPPPPP");
    QTest::newRow("window: > before the caret closes it")
        << QStringLiteral("<a>bc<d>") << 3 << QString() << QStringLiteral("MMMPPMMM");
    QTest::newRow("window: next > closes it") << QStringLiteral("<a>bc<d>") << 4 << QString() << QStringLiteral("MMMBBMMM");
    QTest::newRow("window: no > after the caret runs to the end")
        << QStringLiteral("<a>b<c") << 4 << QString() << QStringLiteral("MMMBBB");
    QTest::newRow("window: one more span keeps the gap's colour")
        << QStringLiteral("<!x> <c>") << 4 << QStringLiteral("CCCCCCCC") << QStringLiteral("CCCCCMMM");
    QTest::newRow("window: caret after a surrogate pair")
        << QStringLiteral("<b>\U0001F600") << 5 << QString() << QStringLiteral("MMMBB");
    QTest::newRow("window: one more span far away")
        << QStringLiteral("<a>") + repeat(u'x', 300) + QStringLiteral("<b>") << 2 << QString()
        << QStringLiteral("MMM") + repeat(u'P', 300) + QStringLiteral("MMM");

    // A "<" 101 characters before the caret starts the window; one 100 before does not.
    const QString lookBack = repeat(u'x', 10) + QStringLiteral("<q>") + repeat(u'x', 110);
    QTest::newRow("window: < at caret - 101 starts it")
        << lookBack << 111 << QString() << repeat(u'P', 10) + QStringLiteral("MMM") + repeat(u'B', 110);
    QTest::newRow("window: < at caret - 100 is too close")
        << lookBack << 110 << QString() << repeat(u'B', 10) + QStringLiteral("MMM") + repeat(u'B', 110);
    // The backward scan stops at the first "<" it meets from caret - 101 down.
    const QString nearest =
        QStringLiteral("<a>") + repeat(u'x', 97) + QStringLiteral("<b>") + repeat(u'x', 100) + QStringLiteral("<c>z");
    QTest::newRow("window: nearest < before the look-back")
        << nearest << 206 << QString() << repeat(u'P', 100) + QStringLiteral("MMM") + repeat(u'B', 100) + QStringLiteral("MMMP");
    // Far beyond the first backward read.
    const QString farBack = QStringLiteral("<p>") + repeat(u'y', 5000) + QStringLiteral("z");
    QTest::newRow("window: look-back across many characters")
        << farBack << 5004 << QStringLiteral("P") + repeat(u'P', 5003) << QStringLiteral("MMM") + repeat(u'B', 5001);
}

void tst_modColoring::colorMarkup()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, before);
    QFETCH(QString, expected);

    EditorControl target;
    target.setText(text);
    if (!before.isEmpty())
        target.setColours(0, coloursFromLetters(before));
    ColorMarkup(target, caret);
    QCOMPARE(lettersFromColours(target.colours(0, target.length())), expected);
    QCOMPARE(target.Text(), text);
}

void tst_modColoring::paintBaseColorPaintsTheWindowOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole text") << QStringLiteral("a<b>c") << 0 << QStringLiteral("BBBBB");
    QTest::newRow("window") << QStringLiteral("<b>x</b>y<i>z</i>") << 5 << QStringLiteral("BBBBBBBBPPPPPPPPP");
}

void tst_modColoring::paintBaseColorPaintsTheWindowOnly()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, expected);

    EditorControl target;
    target.setText(text);
    PaintBaseColor(target, caret);
    QCOMPARE(lettersFromColours(target.colours(0, target.length())), expected);
}

void tst_modColoring::wholeTextAcrossPieces_data()
{
    // Texts larger than the piece the whole-text colouring reads at a time, with what a span
    // needs on both sides of a piece's end.
    QTest::addColumn<QString>("text");
    const int piece = WholeTextPiece;
    const QString fill = repeat(u'x', piece - 1);
    QTest::newRow("< ends a piece, ! begins the next") << fill + QStringLiteral("<!-- c -->y<b>");
    QTest::newRow("< ends a piece, a tag follows") << fill + QStringLiteral("<b>y<!x>");
    QTest::newRow("span over three pieces") << QStringLiteral("a<") + repeat(u'b', 2 * piece) + QStringLiteral(">c<d>");
    QTest::newRow("unclosed < over several pieces") << QStringLiteral("<a>b<") + repeat(u'c', 2 * piece + 7);
    QTest::newRow("unclosed < at the very end") << fill + QStringLiteral("<i>") + repeat(u'y', piece) + u'<';
    QTest::newRow("surrogate pair across a piece's end") << fill + QStringLiteral("\U0001F600<b>\U0001F600>");
    QTest::newRow("CR LF across a piece's end") << fill + QStringLiteral("\r\n<b\r\n>");
    QTest::newRow("> ends a piece") << QStringLiteral("<") + repeat(u'a', piece - 2) + QStringLiteral("><!z>");
}

void tst_modColoring::wholeTextAcrossPieces()
{
    QFETCH(QString, text);
    EditorControl target;
    target.setText(text);
    // Earlier colours everywhere, so that a character the colouring misses shows.
    const QByteArray before(text.size(), static_cast<char>(EditorControl::Colour::Comment));
    target.setColours(0, before);
    ColorMarkup(target, 0);
    const QByteArray expected = referenceColours(text, 0, before);
    const QByteArray painted = target.colours(0, target.length());
    QCOMPARE(painted.size(), expected.size());
    for (qsizetype i = 0; i < painted.size(); ++i) {
        if (painted.at(i) != expected.at(i))
            QFAIL(qPrintable(
                QStringLiteral("colour %1 at %2, expected %3").arg(int(painted.at(i))).arg(i).arg(int(expected.at(i)))));
    }
    PaintBaseColor(target, 0);
    QCOMPARE(target.colours(0, target.length()), QByteArray(text.size(), static_cast<char>(EditorControl::Colour::Base)));
}

void tst_modColoring::targetSelectionIsLeftAlone()
{
    EditorControl target;
    target.setText(QStringLiteral("<b>x</b>y<i>z</i>"));
    target.setSelStart(9);
    target.setSelLength(3);
    ColorMarkup(target, 5);
    QCOMPARE(target.SelStart(), 9);
    QCOMPARE(target.SelLength(), 3);
}

void tst_modColoring::matchesTheAlgorithmOnRandomPages()
{
    const QStringList pieces = {QStringLiteral("<p>"),        QStringLiteral("</p>"), QStringLiteral("<!-- c -->"),
                                QStringLiteral("<"),          QStringLiteral(">"),    QStringLiteral("<!"),
                                QStringLiteral("text "),      QStringLiteral("\r\n"), QStringLiteral("caf\u00e9 "),
                                QStringLiteral("\U0001F600"), QString(300, u'x')};
    QRandomGenerator random(4242);
    for (int page = 0; page < 200; ++page) {
        QString text;
        const int count = static_cast<int>(random.bounded(40));
        for (int i = 0; i < count; ++i)
            text += pieces.at(static_cast<int>(random.bounded(pieces.size())));
        QByteArray before(text.size(), '\0');
        for (qsizetype i = 0; i < text.size(); ++i) {
            // Both halves of a surrogate pair are one character with one colour.
            const bool lowHalf = i > 0 && text.at(i).isLowSurrogate();
            before[i] = lowHalf ? before.at(i - 1) : static_cast<char>(random.bounded(4));
        }
        // Carets stand on character boundaries.
        int caret = static_cast<int>(random.bounded(text.size() + 1));
        if (caret > 0 && caret < text.size() && text.at(caret - 1).isHighSurrogate())
            --caret;
        if (caret > 0 && caret < text.size() && text.at(caret - 1) == u'\r' && text.at(caret) == u'\n')
            --caret;

        EditorControl target;
        target.setText(text);
        target.setColours(0, before);
        ColorMarkup(target, caret);
        QCOMPARE(lettersFromColours(target.colours(0, target.length())),
                 lettersFromColours(referenceColours(text, caret, before)));
    }
}

ZORVANE_TEST(tst_modColoring)
#include "tst_modColoring.moc"
