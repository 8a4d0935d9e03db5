// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/DocumentDecoder.h"
#include "text/TextDecoding.h"
#include "support/TestMain.h"
#include "support/Utf16Bytes.h"

#include <QStringDecoder>
#include <QTest>

using Encoding = TextFormat::Encoding;
using LineBreaks = TextFormat::LineBreaks;

Q_DECLARE_METATYPE(TextFormat::Encoding)
Q_DECLARE_METATYPE(TextFormat::LineBreaks)

namespace {

// What a decoder gives out, even in a pass it voids later, must be text the editor can hold.
bool editorText(const QByteArray &utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(utf8);
    return !decoder.hasError() && !utf8.contains('\0');
}

struct Streamed {
    DecodedText decoded;
    int passes = 0;
    bool clean = true; // every pass gave out only text the editor can hold
};

// Decodes bytes with a DocumentDecoder as the loader does: a first piece of firstPiece bytes, then
// pieces of pieceSize, reading the file again on each restart. later, when set, is what the
// file holds from the second pass on.
Streamed decodeStreamed(const QByteArray &bytes, qsizetype firstPiece, qsizetype pieceSize, const QByteArray *later = nullptr)
{
    DocumentDecoder decoder;
    Streamed streamed;
    DocumentDecoder::Status status = DocumentDecoder::Status::Restart;
    QByteArray out;
    // A decoder that kept restarting would fail the pass count checked by the callers.
    while (status == DocumentDecoder::Status::Restart && streamed.passes < 20) {
        const QByteArrayView file = later && streamed.passes > 0 ? QByteArrayView(*later) : QByteArrayView(bytes);
        ++streamed.passes;
        out.clear();
        status = DocumentDecoder::Status::Going;
        qsizetype at = 0;
        qsizetype size = qMin(firstPiece, file.size());
        while (status == DocumentDecoder::Status::Going && at < file.size()) {
            status = decoder.feed(file.sliced(at, size), out);
            at += size;
            size = qMin(pieceSize, file.size() - at);
        }
        if (status == DocumentDecoder::Status::Going)
            status = decoder.finish(out);
        streamed.clean = streamed.clean && editorText(out);
    }
    if (status == DocumentDecoder::Status::Failed) {
        streamed.decoded.error = decoder.error();
    } else if (status == DocumentDecoder::Status::Going) {
        streamed.decoded.ok = true;
        streamed.decoded.text = textFromUtf8(out);
        streamed.decoded.format = decoder.format();
    }
    return streamed;
}

QString described(const DecodedText &decoded)
{
    if (!decoded.ok)
        return QStringLiteral("error: ") + decoded.error;
    return QStringLiteral("%1 %2 %3: %4")
        .arg(static_cast<int>(decoded.format.encoding))
        .arg(decoded.format.byteOrderMark)
        .arg(static_cast<int>(decoded.format.lineBreaks))
        .arg(QString::fromLatin1(decoded.text.toUtf8().toHex(' ')));
}

} // namespace

class tst_TextDecoding : public QObject
{
    Q_OBJECT

private slots:
    void decodesAndWritesBack_data();
    void decodesAndWritesBack();
    void noText_data();
    void noText();
    void charactersOutsideTheEncoding_data();
    void charactersOutsideTheEncoding();
    // Every row of the two decoding tables, cut anywhere.
    void cutAnywhere_data();
    void cutAnywhere();
    void cutAnywhereNoText_data();
    void cutAnywhereNoText();
    void passes_data();
    void passes();
    void fileChangingBetweenPasses_data();
    void fileChangingBetweenPasses();
};

void tst_TextDecoding::decodesAndWritesBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Encoding>("encoding");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<LineBreaks>("lineBreaks");

    QTest::newRow("empty") << QByteArray() << QString() << Encoding::Utf8 << false << LineBreaks::CrLf;
    QTest::newRow("utf-8 crlf") << QByteArray("<p>caf\xC3\xA9</p>\r\n<p>\xE2\x86\x92</p>\r\n")
                                << QStringLiteral("<p>caf\u00e9</p>\r\n<p>\u2192</p>\r\n") << Encoding::Utf8 << false
                                << LineBreaks::CrLf;
    QTest::newRow("utf-8 lf, none at the end")
        << QByteArray("a\n\xE4\xBD\xA0\nb") << QStringLiteral("a\r\n\u4f60\r\nb") << Encoding::Utf8 << false << LineBreaks::Lf;
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF<p>\xE2\x82\xAC</p>") << QStringLiteral("<p>\u20ac</p>")
                               << Encoding::Utf8 << true << LineBreaks::CrLf;
    QTest::newRow("bom only") << QByteArray("\xEF\xBB\xBF") << QString() << Encoding::Utf8 << true << LineBreaks::CrLf;
    QTest::newRow("second bom is text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << QStringLiteral("\ufeffx") << Encoding::Utf8
                                        << true << LineBreaks::CrLf;
    QTest::newRow("windows-1252 e-acute and euro") << QByteArray("caf\xE9 \x80\r\n") << QStringLiteral("caf\u00e9 \u20ac\r\n")
                                                   << Encoding::Windows1252 << false << LineBreaks::CrLf;
    QTest::newRow("windows-1252 lf") << QByteArray("\x93q\x94\n") << QStringLiteral("\u201cq\u201d\r\n") << Encoding::Windows1252
                                     << false << LineBreaks::Lf;
    QTest::newRow("windows-1252 unassigned byte")
        << QByteArray("a\x81\xFF") << QStringLiteral("a\u0081\u00ff") << Encoding::Windows1252 << false << LineBreaks::CrLf;
    QTest::newRow("utf-8 cut short at the end")
        << QByteArray("ab\xC3") << QStringLiteral("ab\u00c3") << Encoding::Windows1252 << false << LineBreaks::CrLf;
    QTest::newRow("overlong utf-8") << QByteArray("\xC0\xAF") << QStringLiteral("\u00c0\u00af") << Encoding::Windows1252 << false
                                    << LineBreaks::CrLf;
    QTest::newRow("bom before invalid utf-8") << QByteArray("\xEF\xBB\xBF\xE9") << QStringLiteral("\u00ef\u00bb\u00bf\u00e9")
                                              << Encoding::Windows1252 << false << LineBreaks::CrLf;
    QTest::newRow("mixed breaks kept") << QByteArray("a\r\nb\nc") << QStringLiteral("a\r\nb\nc") << Encoding::Utf8 << false
                                       << LineBreaks::Mixed;
    QTest::newRow("lone cr kept") << QByteArray("a\rb") << QStringLiteral("a\rb") << Encoding::Utf8 << false << LineBreaks::Mixed;
    QTest::newRow("lf before a crlf kept") << QByteArray("a\nb\r\nc") << QStringLiteral("a\nb\r\nc") << Encoding::Utf8 << false
                                           << LineBreaks::Mixed;
    QTest::newRow("cr at the end") << QByteArray("a\r\nb\r") << QStringLiteral("a\r\nb\r") << Encoding::Utf8 << false
                                   << LineBreaks::Mixed;
    QTest::newRow("windows-1252 after utf-8")
        << QByteArray("\xC3\xA9\xF0\x9F\x98\x80\n\xE9") << QStringLiteral("\u00c3\u00a9\u00f0\u0178\u02dc\u20ac\r\n\u00e9")
        << Encoding::Windows1252 << false << LineBreaks::Lf;
    // A non-character's bytes are read again as Windows-1252 when a later byte is not UTF-8.
    QTest::newRow("utf-8 non-character, then an invalid byte")
        << QByteArray("\xEF\xBF\xBF\xFF") << QStringLiteral("\u00ef\u00bf\u00bf\u00ff") << Encoding::Windows1252 << false
        << LineBreaks::CrLf;
    QTest::newRow("utf-8 surrogate is windows-1252") << QByteArray("\xED\xA0\x80") << QStringLiteral("\u00ed\u00a0\u20ac")
                                                     << Encoding::Windows1252 << false << LineBreaks::CrLf;
    QTest::newRow("utf-8 beyond U+10FFFF is windows-1252")
        << QByteArray("\xF4\x90\x80\x80") << QStringLiteral("\u00f4\u0090\u20ac\u20ac") << Encoding::Windows1252 << false
        << LineBreaks::CrLf;

    const QString page = QStringLiteral("<p>caf\u00e9 \u4f60 \U0001F600</p>\r\n");
    QTest::newRow("utf-16le bom") << utf16(page, false, true) << page << Encoding::Utf16Le << true << LineBreaks::CrLf;
    QTest::newRow("utf-16be bom") << utf16(page, true, true) << page << Encoding::Utf16Be << true << LineBreaks::CrLf;
    QTest::newRow("utf-16le bom, lf") << utf16(QStringLiteral("a\nb\n"), false, true) << QStringLiteral("a\r\nb\r\n")
                                      << Encoding::Utf16Le << true << LineBreaks::Lf;
    QTest::newRow("utf-16be bom, mixed") << utf16(QStringLiteral("a\r\nb\n"), true, true) << QStringLiteral("a\r\nb\n")
                                         << Encoding::Utf16Be << true << LineBreaks::Mixed;
    QTest::newRow("utf-16le second bom is text") << utf16(QStringLiteral("\ufeffx"), false, true) << QStringLiteral("\ufeffx")
                                                 << Encoding::Utf16Le << true << LineBreaks::CrLf;
    QTest::newRow("utf-16le bom only") << utf16(QString(), false, true) << QString() << Encoding::Utf16Le << true
                                       << LineBreaks::CrLf;
    QTest::newRow("utf-16le without bom") << utf16(page, false, false) << page << Encoding::Utf16Le << false << LineBreaks::CrLf;
    QTest::newRow("utf-16be without bom") << utf16(QStringLiteral("<html>\n</html>"), true, false)
                                          << QStringLiteral("<html>\r\n</html>") << Encoding::Utf16Be << false << LineBreaks::Lf;
    // The non-characters (U+FDD0 to U+FDEF, U+FFFE and U+FFFF of every plane) are text, as are
    // their neighbours U+FFFD, U+1FFFD and U+FDF0.
    QTest::newRow("utf-8 non-characters")
        << QByteArray("<p>\xEF\xB7\x90\xEF\xB7\xAF\xEF\xBF\xBE\xEF\xBF\xBF\xF0\x9F\xBF\xBE\xF4\x8F\xBF\xBF</p>\n")
        << QStringLiteral("<p>\ufdd0\ufdef\ufffe\uffff\U0001FFFE\U0010FFFF</p>\r\n") << Encoding::Utf8 << false << LineBreaks::Lf;
    QTest::newRow("utf-8 next to non-characters")
        << QByteArray("\xEF\xBF\xBD\xF0\x9F\xBF\xBD\xEF\xB7\xB0") << QStringLiteral("\ufffd\U0001FFFD\ufdf0") << Encoding::Utf8
        << false << LineBreaks::CrLf;
    const QString nonCharacters = QStringLiteral("\ufdd0\ufdef\ufffe\uffff\U0001FFFE\U0010FFFF\r\n");
    QTest::newRow("utf-16le non-characters") << utf16(nonCharacters, false, true) << nonCharacters << Encoding::Utf16Le << true
                                             << LineBreaks::CrLf;
    QTest::newRow("utf-16be non-characters") << utf16(nonCharacters, true, true) << nonCharacters << Encoding::Utf16Be << true
                                             << LineBreaks::CrLf;
    // A UTF-16 BOM before a lone surrogate, and no NUL byte: not UTF-16 after all.
    QTest::newRow("windows-1252 starting like a bom, lone surrogate")
        << QByteArray("\xFF\xFE\x41\xD8\x42\x43") << QStringLiteral("\u00ff\u00fe\u0041\u00d8\u0042\u0043")
        << Encoding::Windows1252 << false << LineBreaks::CrLf;
    // Two bytes that look like a UTF-16 BOM, in a text that cannot be UTF-16.
    QTest::newRow("windows-1252 starting like a bom")
        << QByteArray("\xFF\xFE"
                      "a")
        << QStringLiteral("\u00ff\u00fea") << Encoding::Windows1252 << false << LineBreaks::CrLf;
}

void tst_TextDecoding::decodesAndWritesBack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(Encoding, encoding);
    QFETCH(bool, bom);
    QFETCH(LineBreaks, lineBreaks);

    const DecodedText decoded = decodeDocument(bytes);
    QVERIFY(decoded.ok);
    QCOMPARE(decoded.text, text);
    QCOMPARE(decoded.format.encoding, encoding);
    QCOMPARE(decoded.format.byteOrderMark, bom);
    QCOMPARE(decoded.format.lineBreaks, lineBreaks);

    const EncodedText encoded = encodeDocument(decoded.text, decoded.format);
    QVERIFY(encoded.ok);
    QCOMPARE(encoded.bytes, bytes);
}

void tst_TextDecoding::noText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    QTest::newRow("nul in utf-8") << QByteArray("<p>\0</p>", 8) << QStringLiteral("binary data (NUL bytes)");
    QTest::newRow("png header") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << QStringLiteral("binary data (NUL bytes)");
    // As many zero bytes on both sides: not plainly UTF-16.
    QTest::newRow("zeros everywhere") << QByteArray("a\0\0b\0\0c\0", 8) << QStringLiteral("binary data (NUL bytes)");
    QTest::newRow("utf-16 nul character") << utf16(QStringLiteral("a\u0000b"), false, true) << QStringLiteral("NUL character");
    QTest::newRow("utf-16 odd length") << utf16(QStringLiteral("ab"), true, true) + 'c' << QStringLiteral("odd number of bytes");
    QTest::newRow("utf-16 odd length wins over an earlier nul")
        << utf16(QStringLiteral("a\u0000b"), false, true) + 'c' << QStringLiteral("odd number of bytes");
    QTest::newRow("utf-16 lone surrogate after a non-character")
        << utf16(QStringLiteral("\uffff") + QChar(0xDC00), false, true) << QStringLiteral("lone surrogate) at byte 4");
    QTest::newRow("utf-16 surrogate pair cut by the end")
        << utf16(QStringLiteral("a\U0001F600"), true, true).chopped(2) << QStringLiteral("lone surrogate) at byte 4");
    QTest::newRow("nul late in utf-8") << QByteArray(5000, 'a') + QByteArray("\xC3\xA9\0", 3)
                                       << QStringLiteral("binary data (NUL bytes)");
    QTest::newRow("nul after invalid utf-8") << QByteArray("\xFF"
                                                           "ab\0",
                                                           4)
                                             << QStringLiteral("binary data (NUL bytes)");
    QTest::newRow("utf-16 lone high surrogate") << utf16(QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b"), false, true)
                                                << QStringLiteral("lone surrogate) at byte 4");
    QTest::newRow("utf-16 lone low surrogate at the end")
        << utf16(QStringLiteral("abc") + QChar(0xDE01), true, false) << QStringLiteral("lone surrogate");
    QTest::newRow("utf-32le") << QByteArray("\xFF\xFE\0\0a\0\0\0", 8) << QStringLiteral("UTF-32");
    QTest::newRow("utf-32be") << QByteArray("\0\0\xFE\xFF\0\0\0a", 8) << QStringLiteral("UTF-32");
}

void tst_TextDecoding::noText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    const DecodedText decoded = decodeDocument(bytes);
    QVERIFY(!decoded.ok);
    QVERIFY2(decoded.error.contains(reason), qPrintable(decoded.error));
}

void tst_TextDecoding::charactersOutsideTheEncoding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");

    QTest::newRow("accents and euro") << QStringLiteral("\u00e9\u20ac\u0160") << true;
    QTest::newRow("arrow") << QStringLiteral("a \u2192 b") << false;
    QTest::newRow("chinese") << QStringLiteral("\u4f60\u597d") << false;
    QTest::newRow("emoji") << QStringLiteral("\U0001F600") << false;
}

void tst_TextDecoding::charactersOutsideTheEncoding()
{
    QFETCH(QString, text);
    QFETCH(bool, fits);

    TextFormat windows1252;
    windows1252.encoding = Encoding::Windows1252;
    QCOMPARE(encodeDocument(text, windows1252).ok, fits);
    // UTF-8 holds everything.
    const EncodedText utf8 = encodeDocument(text, TextFormat());
    QVERIFY(utf8.ok);
    QCOMPARE(utf8.bytes, text.toUtf8());
    // So does UTF-16.
    const TextFormat utf16Be{Encoding::Utf16Be, true, LineBreaks::CrLf};
    QCOMPARE(encodeDocument(text, utf16Be).bytes, utf16(text, true, true));
}

void tst_TextDecoding::cutAnywhere_data()
{
    decodesAndWritesBack_data();
}

// Among the rows: a BOM, a 4-byte sequence, a surrogate pair and CR LF, each cut in every place.
void tst_TextDecoding::cutAnywhere()
{
    QFETCH(QByteArray, bytes);

    const QString whole = described(decodeDocument(bytes));
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        const Streamed streamed = decodeStreamed(bytes, cut, bytes.size());
        QVERIFY2(streamed.clean, qPrintable(QStringLiteral("cut at %1").arg(cut)));
        QCOMPARE(described(streamed.decoded), whole);
    }
    const Streamed bytewise = decodeStreamed(bytes, 1, 1);
    QVERIFY(bytewise.clean);
    QCOMPARE(described(bytewise.decoded), whole);
}

void tst_TextDecoding::cutAnywhereNoText_data()
{
    noText_data();
}

void tst_TextDecoding::cutAnywhereNoText()
{
    cutAnywhere();
}

void tst_TextDecoding::passes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("passes");
    QTest::addColumn<bool>("ok");

    QTest::newRow("utf-8 crlf") << QByteArray("<p>\xE2\x86\x92</p>\r\n<p>\r\n") << 1 << true;
    QTest::newRow("utf-8 lf") << QByteArray("<p>\xE2\x86\x92</p>\n<p>\n") << 1 << true;
    QTest::newRow("crlf, then lf") << QByteArray("a\r\nb\nc") << 1 << true;
    QTest::newRow("lf, then crlf") << QByteArray("a\nb\r\nc") << 2 << true;
    QTest::newRow("windows-1252 lf, then crlf") << QByteArray("a\nb\r\nc\xE9") << 3 << true;
    QTest::newRow("windows-1252") << QByteArray("\xC3\xA9\xE9\n") << 2 << true;
    QTest::newRow("utf-16 with bom") << utf16(QStringLiteral("a\nb"), false, true) << 1 << true;
    // A NUL byte: read again to count zero bytes, then as the UTF-16 they showed, or refused.
    QTest::newRow("utf-16 without bom") << utf16(QStringLiteral("a\r\nb\r\n"), true, false) << 3 << true;
    QTest::newRow("nul late") << QByteArray(3000, 'a') + '\0' + "b" << 2 << false;
    QTest::newRow("utf-32") << QByteArray("\xFF\xFE\0\0a\0\0\0", 8) << 1 << false;
}

// The common files are read once; the others only as often as it takes to learn their reading.
void tst_TextDecoding::passes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, passes);
    QFETCH(bool, ok);

    const Streamed streamed = decodeStreamed(bytes, bytes.size(), bytes.size());
    QCOMPARE(streamed.passes, passes);
    QCOMPARE(streamed.decoded.ok, ok);
}

void tst_TextDecoding::fileChangingBetweenPasses_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("later");

    QTest::newRow("lf and cr, then only lf") << QByteArray("a\nb\r\n") << QByteArray("a\nb\n");
    QTest::newRow("not utf-8, then utf-8") << QByteArray("\xE9\n") << QByteArray("\xC3\xA9\n");
    QTest::newRow("nul, then none") << QByteArray("a\0b\0", 4) << QByteArray("ab\xFF\xFE");
    QTest::newRow("lone surrogate, then nul") << QByteArray("\xFF\xFE\x41\xD8") << QByteArray("\xFF\xFE\0\0a", 5);
    QTest::newRow("utf-16, then odd and mixed")
        << utf16(QStringLiteral("a\n"), false, false) << QByteArray("\n\0\r\0\n\0\xFF\xFE\x01", 9);
}

// Every reading the decoder learns moves it forward, so a file that changes while it is read
// cannot keep it reading; what it gives out is still text the editor can hold.
void tst_TextDecoding::fileChangingBetweenPasses()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, later);

    for (const qsizetype pieceSize : {qsizetype(1), qsizetype(1) << 20}) {
        const Streamed streamed = decodeStreamed(first, pieceSize, pieceSize, &later);
        QVERIFY(streamed.passes > 1);
        QVERIFY(streamed.passes <= 8);
        QVERIFY(streamed.clean);
        QVERIFY(streamed.decoded.ok || !streamed.decoded.error.isEmpty());
    }
}

ZORVANE_TEST(tst_TextDecoding)
#include "tst_TextDecoding.moc"
