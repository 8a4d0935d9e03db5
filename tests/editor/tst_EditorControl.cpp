// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorControl.h"
#include "text/FileReader.h"
#include "support/TestMain.h"
#include "support/Utf16Bytes.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qsciscintilla.h>

class tst_EditorControl : public QObject
{
    Q_OBJECT

private slots:
    void offsetsCountUtf16Units_data();
    void offsetsCountUtf16Units();
    void selTextWriteReplacesSelectionAndMovesCaret();
    void changeIsRaisedOncePerContentChange_data();
    void changeIsRaisedOncePerContentChange();
    void noChangeForSelectionOrColour();
    void typingRaisesOneChangePerKey();
    void find_data();
    void find();
    void textRtfRoundTripsColours();
    void textWriteLeavesCaretAtZero();
    void loadFile();
    void loadDecodesAsAWhole_data();
    void loadDecodesAsAWhole();
    void refusedLoadLeavesTheDocument_data();
    void refusedLoadLeavesTheDocument();
    void loadReplacesTheSharedDocument();
    void keyMap_data();
    void keyMap();
    void setFocus_data();
    void setFocus();
    void sharedDocumentWritesMatchModel_data();
    void sharedDocumentWritesMatchModel();
    void editorIsNamedForAssistiveTechnology();
    void keyWithSeveralCharactersTypesThemAll();
    void nonCharactersEnterAsReplacement_data();
    void nonCharactersEnterAsReplacement();
    void textReadInPiecesIsTheWholeText();
};

void tst_EditorControl::offsetsCountUtf16Units_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("selected");

    QTest::newRow("crlf counts two") << QStringLiteral("ab\r\ncd") << 4 << 2 << QStringLiteral("cd");
    QTest::newRow("across crlf") << QStringLiteral("ab\r\ncd") << 1 << 4 << QStringLiteral("b\r\nc");
    QTest::newRow("accents") << QStringLiteral("caf\u00e9 cr\u00e8me") << 5 << 5 << QStringLiteral("cr\u00e8me");
    QTest::newRow("cjk") << QStringLiteral("\u4f60\u597d<b>") << 2 << 3 << QStringLiteral("<b>");
    QTest::newRow("emoji is two units") << QStringLiteral("a\U0001F600b") << 3 << 1 << QStringLiteral("b");
    QTest::newRow("emoji selected whole") << QStringLiteral("a\U0001F600b") << 1 << 2 << QStringLiteral("\U0001F600");
    QTest::newRow("non-ascii after crlf") << QStringLiteral("x\r\n\u00e9\u00e9<p>") << 5 << 3 << QStringLiteral("<p>");
    QTest::newRow("length clipped at end") << QStringLiteral("abc") << 1 << 10 << QStringLiteral("bc");
    QTest::newRow("nul kept") << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b<p>") << 2 << 4 << QStringLiteral("b<p>");
}

void tst_EditorControl::offsetsCountUtf16Units()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, selected);

    EditorControl editor;
    editor.setText(text);
    QCOMPARE(editor.length(), text.size());
    editor.setSelStart(start);
    QCOMPARE(editor.SelStart(), start);
    QCOMPARE(editor.SelLength(), 0);
    editor.setSelLength(length);
    QCOMPARE(editor.SelText(), selected);
    QCOMPARE(editor.SelLength(), selected.size());
    QCOMPARE(editor.Text(), text);
}

void tst_EditorControl::selTextWriteReplacesSelectionAndMovesCaret()
{
    EditorControl editor;
    editor.setText(QStringLiteral("caf\u00e9 au lait"));
    editor.setSelStart(5);
    editor.setSelLength(2);
    editor.setSelText(QStringLiteral("\u00e0 la\r\n"));
    QCOMPARE(editor.Text(), QStringLiteral("caf\u00e9 \u00e0 la\r\n lait"));
    QCOMPARE(editor.SelStart(), 11);
    QCOMPARE(editor.SelLength(), 0);

    // Nothing selected: the text goes in at the caret.
    editor.setSelStart(0);
    editor.setSelText(QStringLiteral("<b>"));
    QCOMPARE(editor.Text().left(7), QStringLiteral("<b>caf\u00e9"));
    QCOMPARE(editor.SelStart(), 3);
}

void tst_EditorControl::changeIsRaisedOncePerContentChange_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("Text") << QStringLiteral("Text");
    QTest::newRow("TextRTF") << QStringLiteral("TextRTF");
    QTest::newRow("SelText over a selection") << QStringLiteral("SelText");
    QTest::newRow("SelText empty deletes") << QStringLiteral("delete");
    // A write that leaves the text as it was is a change all the same.
    QTest::newRow("SelText empty over nothing selected") << QStringLiteral("nothing");
    QTest::newRow("Text empty into an empty control") << QStringLiteral("empty");
    QTest::newRow("own paste of an empty clipboard") << QStringLiteral("paste");
}

void tst_EditorControl::changeIsRaisedOncePerContentChange()
{
    QFETCH(QString, operation);
    EditorControl editor;
    editor.setText(QStringLiteral("hello world"));
    QSignalSpy changes(&editor, &EditorControl::Change);
    int textSeenInHandler = -1;
    connect(&editor, &EditorControl::Change, &editor, [&] { textSeenInHandler = editor.length(); });
    editor.setSelStart(0);
    editor.setSelLength(5);
    if (operation == QLatin1String("Text"))
        editor.setText(QStringLiteral("new"));
    else if (operation == QLatin1String("TextRTF"))
        editor.setTextRTF(RichText{QStringLiteral("new"), {{3, 2}}});
    else if (operation == QLatin1String("SelText"))
        editor.setSelText(QStringLiteral("bye"));
    else if (operation == QLatin1String("delete"))
        editor.setSelText(QString());
    if (operation == QLatin1String("nothing")) {
        editor.setSelStart(11);
        editor.setSelText(QString());
        QCOMPARE(editor.Text(), QStringLiteral("hello world"));
        QCOMPARE(editor.SelStart(), 11);
    } else if (operation == QLatin1String("paste")) {
        editor.setSelStart(5);
        QApplication::clipboard()->clear();
        editor.widget()->show();
        QTest::keyClick(editor.widget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor.Text(), QStringLiteral("hello world"));
        QCOMPARE(editor.SelStart(), 5);
    } else if (operation == QLatin1String("empty")) {
        editor.setText(QString());
        changes.clear();
        editor.setText(QString());
    }
    QCOMPARE(changes.count(), 1);
    // Raised before the write returned, with the new content in place.
    QCOMPARE(textSeenInHandler, editor.length());
}

void tst_EditorControl::noChangeForSelectionOrColour()
{
    EditorControl editor;
    editor.setText(QStringLiteral("<b>bold</b>"));
    QSignalSpy changes(&editor, &EditorControl::Change);
    editor.setSelStart(3);
    editor.setSelLength(4);
    editor.setSelColor(EditorControl::Colour::Markup);
    QVERIFY(editor.Find(QStringLiteral("</b>"), 0) >= 0);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(editor.colourAt(3), EditorControl::Colour::Markup);
    QCOMPARE(editor.colourAt(2), EditorControl::Colour::Plain);
}

void tst_EditorControl::typingRaisesOneChangePerKey()
{
    EditorControl editor;
    editor.widget()->show();
    editor.setText(QStringLiteral("abc"));
    editor.setSelStart(0);
    editor.setSelLength(2);
    QSignalSpy changes(&editor, &EditorControl::Change);
    // Typing over a selection deletes and inserts: still one change.
    QTest::keyClick(editor.widget(), Qt::Key_X);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(editor.Text(), QStringLiteral("xc"));
    QTest::keyClick(editor.widget(), Qt::Key_Return);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(editor.Text(), QStringLiteral("x\r\nc"));
    QCOMPARE(editor.SelStart(), 3);
}

void tst_EditorControl::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("found");

    const QString cats = QStringLiteral("a Cat and a cat");
    QTest::newRow("case-insensitive") << cats << "cat" << 0 << -1 << 0 << 2;
    QTest::newRow("from after the first") << cats << "cat" << 3 << -1 << 0 << 12;
    QTest::newRow("match case") << cats << "cat" << 0 << -1 << 4 << 12;
    QTest::newRow("whole word misses inside a word") << QStringLiteral("concatenate") << "cat" << 0 << -1 << 2 << -1;
    QTest::newRow("whole word finds a word") << QStringLiteral("concatenate cat") << "cat" << 0 << -1 << 2 << 12;
    QTest::newRow("end stops the search") << cats << "cat" << 3 << 14 << 0 << -1;
    QTest::newRow("end at the match end") << cats << "cat" << 3 << 15 << 0 << 12;
    QTest::newRow("after crlf and accents") << QStringLiteral("\u00e9t\u00e9\r\n<p>") << "<p>" << 0 << -1 << 0 << 5;
    QTest::newRow("accented case-insensitive") << QStringLiteral("x \u00c9T\u00c9") << "\u00e9t\u00e9" << 0 << -1 << 0 << 2;
    QTest::newRow("empty text is never found") << cats << "" << 0 << -1 << 0 << -1;
    QTest::newRow("start past the end") << cats << "cat" << 99 << -1 << 0 << -1;
    // Whole words follow one rule for every script: letters, digits, marks and "_" make words,
    // including those before the start of the search.
    const QString cafe = QStringLiteral("caf\u00e9 \u00e9");
    QTest::newRow("whole word, word letter before the start") << cafe << "\u00e9" << 3 << -1 << 2 << 5;
    QTest::newRow("whole word, word letter before the start, match case") << cafe << "\u00e9" << 3 << -1 << 6 << 5;
    QTest::newRow("whole word, combining accent belongs to the word")
        << QStringLiteral("cafe\u0301 cafe") << "cafe" << 0 << -1 << 2 << 6;
    QTest::newRow("whole word, digits and underscore are word characters")
        << QStringLiteral("cat_ 2cat cat") << "cat" << 0 << -1 << 2 << 10;
    QTest::newRow("whole word, greek folded")
        << QStringLiteral("\u03b1\u03b2\u03b3 \u03b2\u03b3") << "\u0392\u0393" << 0 << -1 << 2 << 4;
    QTest::newRow("whole word, emoji is no letter") << QStringLiteral("x\U0001F600cat") << "cat" << 0 << -1 << 2 << 3;
    QTest::newRow("whole word, needle starting with punctuation") << QStringLiteral("a-x") << "-x" << 0 << -1 << 2 << 1;
    QTest::newRow("whole word, word continues past the end") << QStringLiteral("cats") << "cat" << 0 << 3 << 2 << -1;
}

void tst_EditorControl::find()
{
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, options);
    QFETCH(int, found);

    EditorControl editor;
    editor.setText(text);
    editor.setSelStart(1);
    QCOMPARE(editor.Find(needle, start, end, options), found);
    if (found >= 0) {
        QCOMPARE(editor.SelStart(), found);
        QCOMPARE(editor.SelLength(), needle.size());
    }
    // No highlight: the selection stays where it was.
    editor.setSelStart(1);
    QCOMPARE(editor.Find(needle, start, end, options | EditorControl::NoHighlight), found);
    QCOMPARE(editor.SelStart(), 1);
    QCOMPARE(editor.SelLength(), 0);
}

void tst_EditorControl::textRtfRoundTripsColours()
{
    EditorControl source;
    source.setText(QStringLiteral("<b>\u00e9\U0001F600</b>\r\n<!--c-->"));
    source.setSelStart(0);
    source.setSelLength(3);
    source.setSelColor(EditorControl::Colour::Markup);
    source.setSelStart(3);
    source.setSelLength(3);
    source.setSelColor(EditorControl::Colour::Base);
    source.setSelStart(12);
    source.setSelLength(8);
    source.setSelColor(EditorControl::Colour::Comment);
    const RichText content = source.TextRTF();

    EditorControl copy;
    copy.setTextRTF(content);
    QCOMPARE(copy.TextRTF(), content);
    QCOMPARE(copy.Text(), source.Text());
    QCOMPARE(copy.colourAt(4), EditorControl::Colour::Base);
    QCOMPARE(copy.colourAt(13), EditorControl::Colour::Comment);
    QCOMPARE(copy.SelStart(), 0);

    copy.setTextRTF(RichText{});
    QCOMPARE(copy.Text(), QString());
}

void tst_EditorControl::textWriteLeavesCaretAtZero()
{
    EditorControl editor;
    editor.setText(QStringLiteral("abc"));
    editor.setSelStart(2);
    editor.setSelLength(1);
    editor.setText(QStringLiteral("longer text"));
    QCOMPARE(editor.SelStart(), 0);
    QCOMPARE(editor.SelLength(), 0);
}

namespace {

QString writeFile(const QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

} // namespace

void tst_EditorControl::loadFile()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "<p>caf\xc3\xa9</p>\n<p>x</p>\n");
    QVERIFY(!path.isEmpty());

    EditorControl editor;
    QSignalSpy changes(&editor, &EditorControl::Change);
    QVERIFY(editor.LoadFile(path));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(editor.Text(), QStringLiteral("<p>caf\u00e9</p>\r\n<p>x</p>\r\n"));

    QVERIFY(!editor.LoadFile(dir.filePath(QStringLiteral("missing.htm"))));
    QVERIFY(!editor.LoadFile(dir.path()));
    QCOMPARE(changes.count(), 1);
}

namespace {

// Larger than the piece a load reads at a time, so that what follows lies in a later piece.
const QByteArray pastFirstPiece((1 << 20) + 3, 'x');

} // namespace

void tst_EditorControl::loadDecodesAsAWhole_data()
{
    // The load decodes piece by piece, going back to the start when a later byte shows another
    // reading; it must end with the text and format each file was written from.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<bool>("byteOrderMark");
    QTest::addColumn<int>("lineBreaks");
    const QString xs = QString(pastFirstPiece.size(), u'x');
    const auto utf8 = static_cast<int>(TextFormat::Encoding::Utf8);
    const auto crLf = static_cast<int>(TextFormat::LineBreaks::CrLf);
    QTest::newRow("empty file") << QByteArray() << QString() << utf8 << false << crLf;
    QTest::newRow("UTF-8 character cut by the first piece's end")
        << QByteArray((1 << 20) - 1, 'x') + "\xc3\xa9<p>\r\n\xf0\x9f\x98\x80"
        << QString((1 << 20) - 1, u'x') + QStringLiteral("\u00e9<p>\r\n\U0001F600") << utf8 << false << crLf;
    QTest::newRow("Windows-1252 byte after the first piece")
        << "caf\xc3\xa9\r\n" + pastFirstPiece + "\xe9\r\n" << QStringLiteral("caf\u00c3\u00a9\r\n") + xs + QStringLiteral("\u00e9\r\n")
        << static_cast<int>(TextFormat::Encoding::Windows1252) << false << crLf;
    QTest::newRow("LF only, converted") << "<p>\n" + pastFirstPiece + "\n</p>\n"
                                        << QStringLiteral("<p>\r\n") + xs + QStringLiteral("\r\n</p>\r\n") << utf8 << false
                                        << static_cast<int>(TextFormat::LineBreaks::Lf);
    QTest::newRow("a CR after converted LFs: mixed, kept")
        << "<p>\n" + pastFirstPiece + "\r\n" << QStringLiteral("<p>\n") + xs + QStringLiteral("\r\n") << utf8 << false
        << static_cast<int>(TextFormat::LineBreaks::Mixed);
    QTest::newRow("CR LF cut by the first piece's end") << QByteArray((1 << 20) - 1, 'x') + "\r\n<p>"
                                                        << QString((1 << 20) - 1, u'x') + QStringLiteral("\r\n<p>") << utf8
                                                        << false << crLf;
    QTest::newRow("UTF-8 with BOM") << "\xef\xbb\xbf<p>" + pastFirstPiece << QStringLiteral("<p>") + xs << utf8 << true << crLf;
    QTest::newRow("plain UTF-16 LE") << utf16(QStringLiteral("<p>caf\u00e9</p>\r\n").repeated(80000), false, false)
                                     << QStringLiteral("<p>caf\u00e9</p>\r\n").repeated(80000)
                                     << static_cast<int>(TextFormat::Encoding::Utf16Le) << false << crLf;
    QTest::newRow("UTF-16 LE with BOM") << utf16(QStringLiteral("<p>\U0001F600</p>\n").repeated(80000), false, true)
                                        << QStringLiteral("<p>\U0001F600</p>\r\n").repeated(80000)
                                        << static_cast<int>(TextFormat::Encoding::Utf16Le) << true
                                        << static_cast<int>(TextFormat::LineBreaks::Lf);
}

void tst_EditorControl::loadDecodesAsAWhole()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, encoding);
    QFETCH(bool, byteOrderMark);
    QFETCH(int, lineBreaks);
    QTemporaryDir dir;
    const QString path = writeFile(dir, bytes);
    QVERIFY(!path.isEmpty());

    EditorControl editor;
    editor.setText(QStringLiteral("old <b>text</b>"));
    QList<QList<ContentEdit>> changes;
    connect(&editor, &EditorControl::Change, &editor, [&] { changes.append(editor.lastEdits()); });
    FileReader reader(path, DocumentSize::Maximum);
    const EditorControl::LoadResult loaded = editor.load(reader);
    QVERIFY(loaded.ok);
    QCOMPARE(static_cast<int>(loaded.format.encoding), encoding);
    QCOMPARE(loaded.format.byteOrderMark, byteOrderMark);
    QCOMPARE(static_cast<int>(loaded.format.lineBreaks), lineBreaks);
    QCOMPARE(editor.length(), text.size());
    QVERIFY(editor.Text() == text);
    QCOMPARE(editor.SelStart(), 0);
    QCOMPARE(editor.SelLength(), 0);
    // One change, which holds what undoing it needs but no second copy of the page.
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().size(), 1);
    const ContentEdit &edit = changes.first().first();
    QCOMPARE(edit.offset, 0);
    QCOMPARE(edit.removed, QStringLiteral("old <b>text</b>"));
    QVERIFY(edit.inserted.isEmpty());
    QCOMPARE(edit.insertedLength(), text.size());
    // The document takes edits and keeps its offsets right after the load.
    editor.setSelStart(editor.length());
    editor.setSelText(QStringLiteral("\u00e9nd"));
    QCOMPARE(editor.textRange(editor.length() - 3, editor.length()), QStringLiteral("\u00e9nd"));
}

void tst_EditorControl::refusedLoadLeavesTheDocument_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("sizeLimit");
    QTest::addColumn<QString>("error");
    QTest::newRow("NUL byte after the first piece") << "<p>" + pastFirstPiece + QByteArray(1, '\0') << DocumentSize::Maximum
                                                    << QStringLiteral("the file holds binary data (NUL bytes)");
    QTest::newRow("non-character after the first piece")
        << "<p>" + pastFirstPiece + "\xef\xbf\xbf" << DocumentSize::Maximum
        << QStringLiteral("the file holds binary data (the non-character U+FFFF), not text");
    QTest::newRow("larger than the limit") << pastFirstPiece << qint64(1000) << QStringLiteral("the file is too large");
}

void tst_EditorControl::refusedLoadLeavesTheDocument()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, sizeLimit);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = writeFile(dir, bytes);
    QVERIFY(!path.isEmpty());

    EditorControl editor;
    auto *view = qobject_cast<QsciScintillaBase *>(editor.widget());
    QVERIFY(view);
    view->resize(400, 200);
    view->show();
    const QString page = QStringLiteral("<p>line</p>\r\n").repeated(300);
    editor.setText(page);
    editor.setSelStart(40);
    editor.setSelLength(7);
    editor.setSelColor(EditorControl::Colour::Comment);
    view->SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, 100ul);
    QSignalSpy changes(&editor, &EditorControl::Change);

    FileReader reader(path, sizeLimit);
    const EditorControl::LoadResult loaded = editor.load(reader);
    QVERIFY(!loaded.ok);
    QVERIFY2(loaded.error.startsWith(error), qPrintable(loaded.error));
    QCOMPARE(changes.count(), 0);
    QVERIFY(editor.Text() == page);
    QCOMPARE(editor.SelStart(), 40);
    QCOMPARE(editor.SelLength(), 7);
    QCOMPARE(editor.colourAt(43), EditorControl::Colour::Comment);
    QCOMPARE(view->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE), 100);
    // The view still has every line of its page to show and scroll to.
    view->SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, 250ul);
    QCOMPARE(view->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE), 250);
}

void tst_EditorControl::loadReplacesTheSharedDocument()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "<p>caf\xc3\xa9</p>\n<b>x</b>\n");
    QVERIFY(!path.isEmpty());
    EditorControl r1;
    EditorControl rtbTemp;
    rtbTemp.shareDocumentWith(r1);
    r1.setText(QStringLiteral("old"));
    QSignalSpy r1Changes(&r1, &EditorControl::Change);
    QSignalSpy tempChanges(&rtbTemp, &EditorControl::Change);

    // Loaded through the scratch control, announced by the one that announces the document's changes.
    FileReader reader(path, DocumentSize::Maximum);
    QVERIFY(rtbTemp.load(reader).ok);
    QCOMPARE(r1Changes.count(), 1);
    QCOMPARE(tempChanges.count(), 0);
    const QString text = QStringLiteral("<p>caf\u00e9</p>\r\n<b>x</b>\r\n");
    QCOMPARE(r1.Text(), text);
    QCOMPARE(rtbTemp.Text(), text);
    // Both show one document: colours painted through one are the other's, and offsets agree.
    rtbTemp.setSelStart(13);
    rtbTemp.setSelLength(3);
    rtbTemp.setSelColor(EditorControl::Colour::Markup);
    QCOMPARE(r1.colourAt(14), EditorControl::Colour::Markup);
    r1.setSelStart(7);
    r1.setSelText(QStringLiteral("\U0001F600"));
    QCOMPARE(rtbTemp.textRange(6, 10), QStringLiteral("\u00e9\U0001F600<"));
}

namespace {

// Offsets a write may start or end at: never inside a CR LF or a surrogate pair.
QList<int> boundaries(const QString &text)
{
    QList<int> result;
    for (int i = 0; i <= text.size(); ++i) {
        const bool insideBreak = i > 0 && i < text.size() && text.at(i - 1) == u'\r' && text.at(i) == u'\n';
        const bool insidePair = i > 0 && i < text.size() && text.at(i).isLowSurrogate();
        if (!insideBreak && !insidePair)
            result.append(i);
    }
    return result;
}

QString randomText(QRandomGenerator &random, int pieces)
{
    static const QStringList parts = {QStringLiteral("a"),      QStringLiteral("<p>"),        QStringLiteral("\u00e9"),
                                      QStringLiteral("\u4f60"), QStringLiteral("\U0001F600"), QStringLiteral("\r\n"),
                                      QStringLiteral(" "),      QStringLiteral("x>")};
    QString text;
    for (int i = 0; i < pieces; ++i)
        text += parts.at(random.bounded(static_cast<int>(parts.size())));
    return text;
}

} // namespace

void tst_EditorControl::sharedDocumentWritesMatchModel_data()
{
    QTest::addColumn<quint32>("seed");
    for (const quint32 seed : {1u, 7u, 42u, 2024u, 65537u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void tst_EditorControl::sharedDocumentWritesMatchModel()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    EditorControl r1;
    EditorControl rtbTemp;
    rtbTemp.shareDocumentWith(r1);
    QString model = randomText(random, 40);
    r1.setText(model);

    int changes = 0;
    QString seenInHandler;
    connect(&r1, &EditorControl::Change, &r1, [&] {
        ++changes;
        seenInHandler = r1.Text();
    });
    QSignalSpy scratchChanges(&rtbTemp, &EditorControl::Change);

    for (int step = 0; step < 80; ++step) {
        EditorControl &writer = random.bounded(2) ? rtbTemp : r1;
        const QList<int> cuts = boundaries(model);
        const int start = cuts.at(random.bounded(static_cast<int>(cuts.size())));
        const int end = cuts.at(random.bounded(static_cast<int>(cuts.indexOf(start)), static_cast<int>(cuts.size())));
        const QString inserted = randomText(random, random.bounded(4));
        const int changesBefore = changes;
        int caret = 0;
        switch (random.bounded(4)) {
        case 0:
            writer.setSelStart(start);
            writer.setSelLength(end - start);
            writer.setSelText(inserted);
            model.replace(start, end - start, inserted);
            caret = start + static_cast<int>(inserted.size());
            break;
        case 1:
            writer.applyEdits({{start, model.mid(start, end - start), inserted}});
            model.replace(start, end - start, inserted);
            break;
        case 2:
            model = randomText(random, random.bounded(30));
            writer.setText(model);
            break;
        default:
            model = randomText(random, random.bounded(30));
            writer.setTextRTF(RichText{model, {}});
            break;
        }
        const QString context = QStringLiteral("step %1").arg(step);
        // Raised once, by r1, before the write returned, even when the text stays as it was.
        QVERIFY2(changes == changesBefore + 1, qPrintable(context));
        QVERIFY2(seenInHandler == model, qPrintable(context));
        QVERIFY2(writer.SelStart() == caret, qPrintable(context));
        for (EditorControl *control : {&r1, &rtbTemp}) {
            QVERIFY2(control->length() == model.size(), qPrintable(context));
            QVERIFY2(control->Text() == model, qPrintable(context));
            // Conversions on the same line as the write, both ways, through both controls.
            const QList<int> after = boundaries(model);
            const int from = after.at(random.bounded(static_cast<int>(after.size())));
            const int to = after.at(random.bounded(static_cast<int>(after.indexOf(from)), static_cast<int>(after.size())));
            QVERIFY2(control->textRange(from, to) == model.mid(from, to - from), qPrintable(context));
            control->setSelStart(to);
            QVERIFY2(control->SelStart() == to, qPrintable(context));
        }
    }
    QCOMPARE(scratchChanges.count(), 0);
}

void tst_EditorControl::editorIsNamedForAssistiveTechnology()
{
    EditorControl editor;
    editor.widget()->show();
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(editor.widget());
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Editor"));
    QCOMPARE(accessible->role(), QAccessible::EditableText);
}

// The component ends the program on a key whose text is more than one character.
void tst_EditorControl::keyWithSeveralCharactersTypesThemAll()
{
    EditorControl editor;
    editor.setText(QStringLiteral("<b></b>"));
    editor.setSelStart(3);
    QSignalSpy changes(&editor, &EditorControl::Change);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00e9\U0001F600a"));
    QApplication::sendEvent(editor.widget(), &key);
    QCOMPARE(editor.Text(), QStringLiteral("<b>\u00e9\U0001F600a</b>"));
    QCOMPARE(editor.SelStart(), 7);
    QVERIFY(key.isAccepted());
}

void tst_EditorControl::nonCharactersEnterAsReplacement_data()
{
    QTest::addColumn<QString>("route");
    for (const char *route : {"text write", "selection write", "paste key", "typed key", "input method"})
        QTest::newRow(route) << QString::fromLatin1(route);
}

// The component counts U+FFFF, U+FDD0 and U+10FFFE as three, three and four broken bytes: were
// they let in, every offset after them would be out of step with the text.
void tst_EditorControl::nonCharactersEnterAsReplacement()
{
    QFETCH(QString, route);
    const QString nonCharacters = QStringLiteral("\uffff\ufdd0\U0010FFFE");
    EditorControl editor;
    editor.setText(QStringLiteral("<b>x</b>"));
    editor.setSelStart(3);
    editor.setSelLength(1);
    if (route == QLatin1String("text write")) {
        editor.setText(QStringLiteral("<b>") + nonCharacters + QStringLiteral("</b>"));
    } else if (route == QLatin1String("selection write")) {
        editor.setSelText(nonCharacters);
    } else if (route == QLatin1String("paste key")) {
        QApplication::clipboard()->setText(nonCharacters);
        QTest::keyClick(editor.widget(), Qt::Key_V, Qt::ControlModifier);
    } else if (route == QLatin1String("typed key")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, nonCharacters);
        QApplication::sendEvent(editor.widget(), &key);
    } else {
        QInputMethodEvent input;
        input.setCommitString(nonCharacters);
        QApplication::sendEvent(editor.widget(), &input);
    }
    const QString expected = QStringLiteral("<b>\ufffd\ufffd\ufffd</b>");
    QCOMPARE(editor.Text(), expected);
    QCOMPARE(editor.length(), expected.size());
    QCOMPARE(editor.textRange(6, 10), QStringLiteral("</b>"));
    QCOMPARE(editor.Find(QStringLiteral("</b>"), 0, -1, EditorControl::MatchCase | EditorControl::NoHighlight), 6);
    QCOMPARE(editor.colours(0, editor.length()).size(), expected.size());
    // Nor is a non-character ever found.
    QCOMPARE(editor.Find(QStringLiteral("\uffff"), 0, -1, EditorControl::MatchCase | EditorControl::NoHighlight), -1);
}

void tst_EditorControl::textReadInPiecesIsTheWholeText()
{
    EditorControl r1;
    QString text;
    while (text.size() < 100'000)
        text += QStringLiteral("<p>caf\u00e9 \U0001F600 \u20ac</p>\r\n");
    r1.setText(text);
    // An edit in the middle leaves the buffer's gap there: pieces end at it.
    r1.setSelStart(text.size() / 2);
    r1.setSelText(QStringLiteral("\u4f60"));
    const QByteArray expected = r1.Text().toUtf8();
    QCOMPARE(r1.utf8Length(), expected.size());
    QCOMPARE(r1.utf8Text(), expected);
    for (const qint64 pieceSize : {qint64(7), qint64(4096), qint64(1) << 20}) {
        QByteArray read;
        while (read.size() < r1.utf8Length()) {
            const QByteArrayView piece = r1.utf8Piece(read.size(), pieceSize);
            QVERIFY(!piece.isEmpty());
            QVERIFY(piece.size() <= pieceSize);
            read += piece;
        }
        QVERIFY(read == expected);
    }
    QCOMPARE(r1.utf8Piece(expected.size() - 2, 100), QByteArrayView(expected).last(2));
    QVERIFY(r1.utf8Piece(expected.size(), 10).isEmpty());
    QCOMPARE(r1.utf8Piece(-5, 8), QByteArrayView(expected).first(3));
}

ZORVANE_TEST(tst_EditorControl)
void tst_EditorControl::keyMap_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("kept");

    // The control keeps moving the caret, selecting, deleting, Enter, Tab, Insert (overwrite)
    // and Ctrl+V and Shift+Ins (its own paste); everything else is the menus' or nobody's.
    const QStringList keptKeys =
        QStringLiteral("Left Right Up Down Home End PgUp PgDown "
                       "Shift+Left Shift+Right Shift+Up Shift+Down Shift+Home Shift+End Shift+PgUp Shift+PgDown "
                       "Ctrl+Left Ctrl+Right Ctrl+Up Ctrl+Down Ctrl+Home Ctrl+End "
                       "Ctrl+Shift+Left Ctrl+Shift+Right Ctrl+Shift+Home Ctrl+Shift+End "
                       "Backspace Shift+Backspace Del Ctrl+Backspace Ctrl+Del Return Shift+Return Tab Ins Ctrl+V Shift+Ins")
            .split(u' ');
    // Every binding the component comes with, read from it, so none is forgotten.
    QsciScintilla defaults;
    for (const QsciCommand *command : defaults.standardCommands()->commands()) {
        for (const int key : {command->key(), command->alternateKey()}) {
            if (key == 0)
                continue;
            const QString name = QKeySequence(key).toString(QKeySequence::PortableText);
            QTest::addRow("%s: %s", qPrintable(name), qPrintable(command->description()))
                << key << static_cast<int>(command->command()) << keptKeys.contains(name);
        }
    }
}

void tst_EditorControl::keyMap()
{
    QFETCH(int, key);
    QFETCH(int, command);
    QFETCH(bool, kept);

    EditorControl editor;
    auto *view = qobject_cast<QsciScintilla *>(editor.widget());
    QVERIFY(view);
    const QsciCommand *bound = view->standardCommands()->boundTo(key);
    if (kept) {
        QVERIFY(bound);
        QCOMPARE(static_cast<int>(bound->command()), command);
        return;
    }
    QVERIFY(!bound);
    // Pressed over a selection, the key leaves the text and the selection alone.
    editor.widget()->show();
    const QString text = QStringLiteral("abc def\r\nghi jkl\r\nmno");
    editor.setText(text);
    editor.setSelStart(4);
    editor.setSelLength(3);
    QSignalSpy changes(&editor, &EditorControl::Change);
    const QKeyCombination combination = QKeyCombination::fromCombined(key);
    QTest::keyClick(editor.widget(), combination.key(), combination.keyboardModifiers());
    QCOMPARE(editor.Text(), text);
    QCOMPARE(editor.SelStart(), 4);
    QCOMPARE(editor.SelLength(), 3);
    QCOMPARE(changes.count(), 0);
}

void tst_EditorControl::setFocus_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("takes");
    QTest::newRow("another window is active") << QStringLiteral("inactive") << true;
    QTest::newRow("hidden") << QStringLiteral("hidden") << false;
    QTest::newRow("disabled") << QStringLiteral("disabled") << false;
    QTest::newRow("behind a modal dialog") << QStringLiteral("modal") << false;
}

void tst_EditorControl::setFocus()
{
    QFETCH(QString, situation);
    QFETCH(bool, takes);

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *other = new QLineEdit(&window);
    layout->addWidget(other);
    EditorControl editor(&window);
    layout->addWidget(editor.widget());
    window.show();
    QWidget tool;
    tool.show();
    QDialog modal(&window);
    if (situation == QLatin1String("hidden"))
        editor.widget()->hide();
    else if (situation == QLatin1String("disabled"))
        editor.widget()->setEnabled(false);
    else if (situation == QLatin1String("modal"))
        modal.open();
    QWidget *active = situation == QLatin1String("modal") ? static_cast<QWidget *>(&modal) : &tool;
    active->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(active));

    QCOMPARE(editor.SetFocus(), takes);
    if (takes) {
        QTRY_VERIFY(window.isActiveWindow());
        QTRY_VERIFY(editor.widget()->hasFocus());
    } else {
        QVERIFY(!window.isActiveWindow());
        QVERIFY(active->isActiveWindow());
        QVERIFY(!editor.widget()->hasFocus());
    }
}

#include "tst_EditorControl.moc"
