// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/HtmlKnowledge.h"
#include "model/LocalReference.h"
#include "model/PageParser.h"
#include "support/TestMain.h"

#include "CorpusPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

PageModel parse(const QString &text, const QString &folder = {})
{
    PageParser::Input input;
    input.text = text.toUtf8();
    input.pageFolder = folder;
    input.fileExists = [](const QString &path) { return QFileInfo::exists(path); };
    return PageParser::parse(input);
}

QStringList describe(const PageModel &model)
{
    QStringList rows;
    for (const PageProblem &problem : model.problems())
        rows << problem.text();
    return rows;
}

} // namespace

class tst_PageParser : public QObject
{
    Q_OBJECT

private slots:
    void corpus_data();
    void corpus();
    void legacyMarkupGivesOnlyWarnings();
    void positionsCountUtf16AndLines();
    void tagsAndOpenElements();
    void localReferences_data();
    void localReferences();
    void hostileInput_data();
    void hostileInput();
    void knowledgeComesFromTheTable();
    void agreesWithTheReferenceChecker();
};

void tst_PageParser::corpus_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("faultLine");
    QTest::addColumn<QString>("message");
    for (const CorpusPage &page : corpusPages())
        QTest::newRow(page.name) << page.text << page.faultLine << page.message;
}

void tst_PageParser::corpus()
{
    QFETCH(QString, text);
    QFETCH(int, faultLine);
    QFETCH(QString, message);
    const PageModel model = parse(text);
    if (faultLine == 0) {
        QVERIFY2(model.problems().isEmpty(), qPrintable(describe(model).join(u'\n')));
        return;
    }
    const bool found = std::any_of(model.problems().cbegin(), model.problems().cend(), [&](const PageProblem &problem) {
        return problem.line == faultLine && problem.message.contains(message);
    });
    QVERIFY2(found, qPrintable(describe(model).join(u'\n')));
    // One fault gives no alarms elsewhere in the page.
    for (const PageProblem &problem : model.problems())
        QVERIFY2(problem.line >= faultLine, qPrintable(problem.text()));
}

void tst_PageParser::legacyMarkupGivesOnlyWarnings()
{
    // What the program's own templates and dialogs write: legacy HTML without a doctype.
    const QString page = QStringLiteral(
        "<HTML>\r\n<HEAD>\r\n<!-- Created With Zorvane v1.0 //-->\r\n<TITLE>Untitled</TITLE>\r\n</HEAD>\r\n"
        "<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000CC>\r\n<CENTER><FONT FACE=\"Arial\" SIZE=2>Hi</FONT></CENTER>\r\n"
        "<MARQUEE BEHAVIOR=scroll DIRECTION=left LOOP=-1>news</MARQUEE>\r\n"
        "<TABLE BORDER=1 CELLPADDING=2 CELLSPACING=0 BORDERCOLOR=#000000><TR><TD NOWRAP>1</TD></TR></TABLE>\r\n"
        "<IMG SRC=\"a.gif\" ALT=\"a\" ALIGN=left HSPACE=2 DYNSRC=\"a.avi\">\r\n<BR CLEAR=all>\r\n"
        "<INPUT TYPE=\"text\" NAME=\"n\" SIZE=20 VALUE=\"v\">\r\n"
        "</BODY>\r\n</HTML>");
    const PageModel model = parse(page);
    QVERIFY(!model.problems().isEmpty());
    for (const PageProblem &problem : model.problems())
        QVERIFY2(problem.severity == PageProblem::Severity::Warning, qPrintable(problem.text()));
    QVERIFY(describe(model).contains(QStringLiteral("7:2  Obsolete element <center>")));
    QVERIFY(describe(model).contains(QStringLiteral("6:7  Obsolete attribute bgcolor on <body>")));
}

void tst_PageParser::positionsCountUtf16AndLines()
{
    // "é" is two bytes and one unit, "😀" four bytes and two units; lines end in CR LF, LF or CR.
    const QString page = QStringLiteral("<!DOCTYPE html>\r\n<title>é</title>\n<p>😀 x</b>\r<p>y</span>");
    const PageModel model = parse(page);
    QCOMPARE(describe(model), QStringList({QStringLiteral("3:8  Stray end tag </b>"), QStringLiteral("4:5  Stray end tag </span>")}));
    const PageProblem &span = model.problems().at(1);
    QCOMPARE(page.mid(span.offset, span.length), QStringLiteral("</span>"));
    const PageProblem &b = model.problems().at(0);
    QCOMPARE(page.mid(b.offset, b.length), QStringLiteral("</b>"));
}

void tst_PageParser::tagsAndOpenElements()
{
    const QString page = QStringLiteral("<!DOCTYPE html><title>é</title><div id=a><p>x<span>😀</span></div>");
    const PageModel model = parse(page);
    bool inEnd = false;
    const int div = model.tagNameAt(static_cast<int>(page.indexOf(QLatin1String("div id")) + 1), &inEnd);
    QVERIFY(div >= 0);
    const PageElement &element = model.elements().at(div);
    QCOMPARE(model.name(element), QStringLiteral("div"));
    QVERIFY(!inEnd);
    QCOMPARE(page.mid(element.endTagStart, 6), QStringLiteral("</div>"));
    QCOMPARE(model.tagNameAt(element.endNameOffset() + 3, &inEnd), div);
    QVERIFY(inEnd);
    // The caret in text, not in a name.
    QCOMPARE(model.tagNameAt(static_cast<int>(page.indexOf(QLatin1String(">x"))) + 1), -1);

    const int span = model.openElementAt(static_cast<int>(page.indexOf(QStringLiteral("😀"))));
    QCOMPARE(model.name(span), QStringLiteral("span"));
    // Between </span> and </div> the paragraph, whose end tag is left out, is still open.
    const int p = model.openElementAt(static_cast<int>(page.indexOf(QLatin1String("</div>"))));
    QCOMPARE(model.name(p), QStringLiteral("p"));
    QVERIFY(!model.elements().at(p).hasEndTag());
}

void tst_PageParser::localReferences_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("missing");
    QTest::newRow("present") << "a b.png" << false;
    QTest::newRow("percent-encoded") << "a%20b.png?x=1#top" << false;
    QTest::newRow("absent") << "missing.png" << true;
    QTest::newRow("absent in a folder") << "sub/../gone.css" << true;
    QTest::newRow("address") << "https://example.org/x.png" << false;
    QTest::newRow("network path") << "//example.org/x.png" << false;
    QTest::newRow("fragment") << "#top" << false;
    QTest::newRow("site root") << "/x.png" << false;
    QTest::newRow("mail") << "mailto:a@b.c" << false;
    QTest::newRow("data") << "data:image/png;base64,AAAA" << false;
}

void tst_PageParser::localReferences()
{
    QFETCH(QString, value);
    QFETCH(bool, missing);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile present(folder.filePath(QStringLiteral("a b.png")));
    QVERIFY(present.open(QIODevice::WriteOnly));
    present.close();
    const QString page = QStringLiteral("<!DOCTYPE html><title>t</title><img alt=\"\" src=\"%1\">").arg(value);
    const PageModel model = parse(page, folder.path());
    QCOMPARE(model.problems().size(), missing ? 1 : 0);
    if (missing)
        QCOMPARE(model.problems().at(0).message, QStringLiteral("File not found: %1").arg(value));
    // An untitled page has no folder: nothing is looked up.
    QVERIFY(parse(page).problems().isEmpty());
}

void tst_PageParser::hostileInput_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("100,000 open divs") << QByteArray("<!DOCTYPE html>") + QByteArray("<div>").repeated(100000)
                                       << QStringLiteral("nest more than");
    QTest::newRow("deep inside raw text is text")
        << QByteArray("<!DOCTYPE html><title>t</title><script>") + QByteArray("<div>").repeated(100000) + "</SCRIPT >"
        << QString();
    QTest::newRow("huge attribute") << QByteArray("<!DOCTYPE html><title>t</title><p title=\"") + QByteArray(4 << 20, 'a') + "\">x"
                                    << QString();
    QTest::newRow("NUL characters") << QByteArray("<!DOCTYPE html><title>t</title><p>a\0b<\0>", 40) << QStringLiteral("NUL");
    QTest::newRow("lone angle brackets") << QByteArray("<!DOCTYPE html><title>t</title>< < </ <! <? <") << QStringLiteral("starts no");
    QTest::newRow("larger than a page is parsed") << QByteArray(PageParser::MaximumSize + 1, 'a') << QStringLiteral("not checked");
    QTest::newRow("thousands of stray end tags")
        << QByteArray("<!DOCTYPE html><title>t</title>") + QByteArray("</x>").repeated(20000) << QStringLiteral("Stray");
}

void tst_PageParser::hostileInput()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    PageParser::Input input;
    input.text = text;
    const PageModel model = PageParser::parse(input);
    QVERIFY(model.problems().size() <= 2 * PageParser::MaximumParserErrors + 10);
    if (expected.isEmpty()) {
        QVERIFY2(model.problems().isEmpty(), qPrintable(describe(model).join(u'\n')));
    } else {
        QVERIFY(!model.problems().isEmpty());
        QVERIFY2(model.problems().at(0).message.contains(expected), qPrintable(model.problems().at(0).text()));
    }
}

void tst_PageParser::knowledgeComesFromTheTable()
{
    QCOMPARE(HtmlKnowledge::element(QStringLiteral("DIV")), HtmlKnowledge::Status::Current);
    QCOMPARE(HtmlKnowledge::element(QStringLiteral("marquee")), HtmlKnowledge::Status::Obsolete);
    QCOMPARE(HtmlKnowledge::element(QStringLiteral("blah")), HtmlKnowledge::Status::Unknown);
    QCOMPARE(HtmlKnowledge::attribute(QStringLiteral("img"), QStringLiteral("ALT")), HtmlKnowledge::Status::Current);
    QCOMPARE(HtmlKnowledge::attribute(QStringLiteral("img"), QStringLiteral("align")), HtmlKnowledge::Status::Obsolete);
    QCOMPARE(HtmlKnowledge::attribute(QStringLiteral("p"), QStringLiteral("href")), HtmlKnowledge::Status::Unknown);
    QCOMPARE(HtmlKnowledge::attribute(QStringLiteral("p"), QStringLiteral("onmouseover")), HtmlKnowledge::Status::Current);
    QVERIFY(HtmlKnowledge::attributeNames(QStringLiteral("img")).contains(QStringLiteral("srcset")));
    QVERIFY(!HtmlKnowledge::attributeNames(QStringLiteral("img")).contains(QStringLiteral("align")));
    QVERIFY(HtmlKnowledge::elementNames().contains(QStringLiteral("section")));
    QCOMPARE(HtmlKnowledge::characterReference(QStringLiteral("eacute")), QStringLiteral("é"));
    QVERIFY(HtmlKnowledge::characterReferenceNames().size() > 2000);
}

// The Nu Html Checker (ZORVANE_VNU_JAR: the path of vnu.jar) as the reference: on the corpus,
// every error it reports is reported here too, on the same line.
void tst_PageParser::agreesWithTheReferenceChecker()
{
    const QString jar = qEnvironmentVariable("ZORVANE_VNU_JAR");
    const QString java = QStandardPaths::findExecutable(QStringLiteral("java"));
    if (jar.isEmpty() || !QFileInfo::exists(jar) || java.isEmpty())
        QSKIP("The reference checker is not here: set ZORVANE_VNU_JAR to vnu.jar, with java on the PATH");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QStringList files;
    QHash<QString, QString> texts;
    int number = 0;
    for (const CorpusPage &page : corpusPages()) {
        const QString path = folder.filePath(QStringLiteral("page%1.html").arg(++number));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(page.text.toUtf8());
        files << path;
        texts.insert(QFileInfo(path).fileName(), page.text);
    }
    QProcess checker;
    checker.start(java, QStringList{QStringLiteral("-jar"), jar, QStringLiteral("--format"), QStringLiteral("json"),
                                    QStringLiteral("--errors-only"), QStringLiteral("--exit-zero-always")} +
                            files);
    QVERIFY(checker.waitForFinished(120000));
    const QJsonArray messages = QJsonDocument::fromJson(checker.readAllStandardError() + checker.readAllStandardOutput())
                                    .object()
                                    .value(QLatin1String("messages"))
                                    .toArray();
    QVERIFY(!messages.isEmpty());
    for (const QJsonValue &value : messages) {
        const QJsonObject message = value.toObject();
        const QString name = QUrl(message.value(QLatin1String("url")).toString()).fileName();
        const int line = message.value(QLatin1String("lastLine")).toInt();
        const PageModel model = parse(texts.value(name));
        const bool same = std::any_of(model.problems().cbegin(), model.problems().cend(),
                                      [line](const PageProblem &problem) { return problem.line == line; });
        QVERIFY2(same, qPrintable(QStringLiteral("%1:%2 %3 not reported; reported: %4")
                                      .arg(name)
                                      .arg(line)
                                      .arg(message.value(QLatin1String("message")).toString(), describe(model).join(u'|'))));
    }
}

ZORVANE_TEST(tst_PageParser)
#include "tst_PageParser.moc"
