// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/DocumentEncoder.h"
#include "text/TextDecoding.h"
#include "support/TestMain.h"

#include <QList>
#include <QStringDecoder>
#include <QTest>

using Encoding = TextFormat::Encoding;
using LineBreaks = TextFormat::LineBreaks;

Q_DECLARE_METATYPE(TextFormat)

namespace {

struct Encoded {
    bool ok = false;
    QByteArray bytes;
    QList<QByteArray> pieces; // what each feed and the finish gave out
};

// Encodes utf8 cut at the offsets given, as the save does with the editor's pieces.
Encoded encodeInPieces(const QByteArray &utf8, const TextFormat &format, const QList<qsizetype> &cuts)
{
    DocumentEncoder encoder(format);
    Encoded result;
    qsizetype from = 0;
    for (qsizetype cut : cuts + QList<qsizetype>{utf8.size()}) {
        QByteArray out;
        if (!encoder.feed(QByteArrayView(utf8).sliced(from, cut - from), out))
            return result;
        result.pieces << out;
        from = cut;
    }
    QByteArray out;
    result.ok = encoder.finish(out);
    result.pieces << out;
    for (const QByteArray &piece : std::as_const(result.pieces))
        result.bytes += piece;
    return result;
}

// A piece of output that holds only whole characters: no cut surrogate pair or UTF-8 sequence.
bool whole(const QByteArray &piece, Encoding encoding)
{
    if (encoding == Encoding::Utf8) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const QString text = utf8.decode(piece);
        return !utf8.hasError() || text.contains(QChar::ReplacementCharacter);
    }
    if (encoding == Encoding::Windows1252)
        return true;
    if (piece.size() % 2 != 0)
        return false;
    if (piece.isEmpty())
        return true;
    const bool bigEndian = encoding == Encoding::Utf16Be;
    const auto last = static_cast<char16_t>(
        (static_cast<unsigned char>(piece.at(piece.size() - (bigEndian ? 2 : 1))) << 8) |
        static_cast<unsigned char>(piece.at(piece.size() - (bigEndian ? 1 : 2))));
    return !QChar::isHighSurrogate(last);
}

} // namespace

// The save's piece-by-piece encoder against the whole-text encoder: the same bytes wherever the
// pieces are cut.
class tst_DocumentEncoder : public QObject
{
    Q_OBJECT

private slots:
    void matchesTheWholeTextEncoder_data();
    void matchesTheWholeTextEncoder();
};

void tst_DocumentEncoder::matchesTheWholeTextEncoder_data()
{
    QTest::addColumn<QByteArray>("utf8"); // the editor's text
    QTest::addColumn<TextFormat>("format");
    QTest::addColumn<qsizetype>("cut"); // the boundary the row is about

    const TextFormat utf8;
    const TextFormat utf8Bom{Encoding::Utf8, true, LineBreaks::CrLf};
    const TextFormat utf8Lf{Encoding::Utf8, false, LineBreaks::Lf};
    const TextFormat utf16Le{Encoding::Utf16Le, true, LineBreaks::CrLf};
    const TextFormat utf16BeLf{Encoding::Utf16Be, false, LineBreaks::Lf};
    const TextFormat cp1252{Encoding::Windows1252, false, LineBreaks::CrLf};
    const TextFormat cp1252Lf{Encoding::Windows1252, false, LineBreaks::Lf};

    // U+1F600 is F0 9F 98 80; U+20AC (euro sign) E2 82 AC, 0x80 in Windows-1252; U+4E2D has no
    // Windows-1252 byte.
    QTest::newRow("surrogate pair cut, UTF-16 LE") << QByteArray("a\xF0\x9F\x98\x80z") << utf16Le << qsizetype(3);
    QTest::newRow("surrogate pair cut, UTF-16 BE") << QByteArray("a\xF0\x9F\x98\x80z") << utf16BeLf << qsizetype(2);
    QTest::newRow("4-byte sequence cut, UTF-8") << QByteArray("a\xF0\x9F\x98\x80z") << utf8 << qsizetype(4);
    QTest::newRow("3-byte sequence cut, UTF-8 BOM") << QByteArray("x\xE2\x82\xACy") << utf8Bom << qsizetype(2);
    QTest::newRow("CR LF cut, LF breaks") << QByteArray("<p>\r\n</p>\r\n") << utf8Lf << qsizetype(4);
    QTest::newRow("CR LF cut, LF breaks, UTF-16 BE") << QByteArray("<p>\r\n</p>") << utf16BeLf << qsizetype(4);
    QTest::newRow("CR CR LF cut after the first CR") << QByteArray("a\r\r\nb") << utf8Lf << qsizetype(2);
    QTest::newRow("CR CR LF cut after the second CR") << QByteArray("a\r\r\nb") << utf8Lf << qsizetype(3);
    QTest::newRow("lone CR at the end, LF breaks") << QByteArray("a\r") << utf8Lf << qsizetype(2);
    QTest::newRow("CR LF cut, CR LF breaks") << QByteArray("a\r\nb") << utf8 << qsizetype(2);
    QTest::newRow("U+FEFF opening a piece") << QByteArray("a\xEF\xBB\xBF" "b") << utf16Le << qsizetype(1);
    QTest::newRow("U+FEFF opening the text") << QByteArray("\xEF\xBB\xBF" "b") << utf8Bom << qsizetype(0);
    QTest::newRow("Windows-1252 euro sign cut") << QByteArray("a\xE2\x82\xAC\r\nb") << cp1252Lf << qsizetype(2);
    QTest::newRow("Windows-1252 unmappable on the boundary") << QByteArray("ab\xE4\xB8\xADz") << cp1252 << qsizetype(2);
    QTest::newRow("Windows-1252 unmappable cut") << QByteArray("ab\xE4\xB8\xADz") << cp1252 << qsizetype(4);
    QTest::newRow("broken sequence cut") << QByteArray("a\xFF\xE2\x82" "b\xE2") << utf16Le << qsizetype(3);
    QTest::newRow("broken sequence at the end") << QByteArray("ab\xE2\x82") << utf8 << qsizetype(3);
    QTest::newRow("empty text with a BOM") << QByteArray() << utf16Le << qsizetype(0);
}

void tst_DocumentEncoder::matchesTheWholeTextEncoder()
{
    QFETCH(QByteArray, utf8);
    QFETCH(TextFormat, format);
    QFETCH(qsizetype, cut);

    const EncodedText expected = encodeDocument(textFromUtf8(utf8), format);
    const Encoded atTheBoundary = encodeInPieces(utf8, format, {cut});
    QCOMPARE(atTheBoundary.ok, expected.ok);
    if (expected.ok) {
        QCOMPARE(atTheBoundary.bytes, expected.bytes);
        for (const QByteArray &piece : atTheBoundary.pieces)
            QVERIFY2(whole(piece, format.encoding), piece.toHex(' ').constData());
    }
    // Every other cut, and a byte at a time.
    QList<qsizetype> everyByte;
    for (qsizetype at = 0; at <= utf8.size(); ++at) {
        const Encoded cutThere = encodeInPieces(utf8, format, {at});
        QCOMPARE(cutThere.ok, expected.ok);
        if (expected.ok)
            QCOMPARE(cutThere.bytes, expected.bytes);
        everyByte << at;
    }
    const Encoded byteByByte = encodeInPieces(utf8, format, everyByte);
    QCOMPARE(byteByByte.ok, expected.ok);
    if (expected.ok)
        QCOMPARE(byteByByte.bytes, expected.bytes);
}

ZORVANE_TEST(tst_DocumentEncoder)
#include "tst_DocumentEncoder.moc"
