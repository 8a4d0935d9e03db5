// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextDecoding.h"
#include "support/TestMain.h"
#include "support/Utf16Bytes.h"

#include <QTest>

using Encoding = TextFormat::Encoding;
using LineBreaks = TextFormat::LineBreaks;

Q_DECLARE_METATYPE(TextFormat::Encoding)
Q_DECLARE_METATYPE(TextFormat::LineBreaks)

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
    QTest::newRow("utf-8 lf, none at the end") << QByteArray("a\n\xE4\xBD\xA0\nb") << QStringLiteral("a\r\n\u4f60\r\nb")
                                               << Encoding::Utf8 << false << LineBreaks::Lf;
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF<p>\xE2\x82\xAC</p>") << QStringLiteral("<p>\u20ac</p>")
                               << Encoding::Utf8 << true << LineBreaks::CrLf;
    QTest::newRow("bom only") << QByteArray("\xEF\xBB\xBF") << QString() << Encoding::Utf8 << true << LineBreaks::CrLf;
    QTest::newRow("second bom is text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << QStringLiteral("\ufeffx")
                                        << Encoding::Utf8 << true << LineBreaks::CrLf;
    QTest::newRow("windows-1252 e-acute and euro") << QByteArray("caf\xE9 \x80\r\n") << QStringLiteral("caf\u00e9 \u20ac\r\n")
                                                   << Encoding::Windows1252 << false << LineBreaks::CrLf;
    QTest::newRow("windows-1252 lf") << QByteArray("\x93q\x94\n") << QStringLiteral("\u201cq\u201d\r\n")
                                     << Encoding::Windows1252 << false << LineBreaks::Lf;
    QTest::newRow("windows-1252 unassigned byte") << QByteArray("a\x81\xFF") << QStringLiteral("a\u0081\u00ff")
                                                  << Encoding::Windows1252 << false << LineBreaks::CrLf;
    QTest::newRow("utf-8 cut short at the end") << QByteArray("ab\xC3") << QStringLiteral("ab\u00c3")
                                                << Encoding::Windows1252 << false << LineBreaks::CrLf;
    QTest::newRow("overlong utf-8") << QByteArray("\xC0\xAF") << QStringLiteral("\u00c0\u00af") << Encoding::Windows1252
                                    << false << LineBreaks::CrLf;
    QTest::newRow("bom before invalid utf-8") << QByteArray("\xEF\xBB\xBF\xE9") << QStringLiteral("\u00ef\u00bb\u00bf\u00e9")
                                              << Encoding::Windows1252 << false << LineBreaks::CrLf;
    QTest::newRow("mixed breaks kept") << QByteArray("a\r\nb\nc") << QStringLiteral("a\r\nb\nc") << Encoding::Utf8 << false
                                       << LineBreaks::Mixed;
    QTest::newRow("lone cr kept") << QByteArray("a\rb") << QStringLiteral("a\rb") << Encoding::Utf8 << false << LineBreaks::Mixed;

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
    // Neighbours of the non-characters: U+FFFD, U+EFFF, U+1FFFD, U+1DFFF (low half 0xDFFF),
    // U+FDCF and U+FDF0.
    QTest::newRow("next to non-characters")
        << QByteArray("\xEF\xBF\xBD\xEE\xBF\xBF\xF0\x9F\xBF\xBD\xF0\x9D\xBF\xBF\xEF\xB7\x8F\xEF\xB7\xB0")
        << QStringLiteral("\ufffd\uefff\U0001FFFD\U0001DFFF\ufdcf\ufdf0") << Encoding::Utf8 << false
                                             << LineBreaks::CrLf;
    // Two bytes that look like a UTF-16 BOM, in a text that cannot be UTF-16.
    QTest::newRow("windows-1252 starting like a bom")
        << QByteArray("\xFF\xFE" "a") << QStringLiteral("\u00ff\u00fea") << Encoding::Windows1252 << false << LineBreaks::CrLf;
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
    QTest::newRow("utf-16 lone high surrogate") << utf16(QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b"), false, true)
                                                << QStringLiteral("lone surrogate) at byte 4");
    QTest::newRow("utf-16 lone low surrogate at the end")
        << utf16(QStringLiteral("abc") + QChar(0xDE01), true, false) << QStringLiteral("lone surrogate");
    // The editor component would count such a character as broken bytes.
    QTest::newRow("utf-8 U+FFFF") << QByteArray("<p>\xEF\xBF\xBF</p>") << QStringLiteral("non-character U+FFFF");
    QTest::newRow("utf-8 U+FDEF") << QByteArray("\xEF\xB7\xAF") << QStringLiteral("non-character U+FDEF");
    QTest::newRow("utf-8 U+10FFFE") << QByteArray("<p>\xF4\x8F\xBF\xBE") << QStringLiteral("non-character U+10FFFE");
    QTest::newRow("utf-16 U+FFFE after the bom") << utf16(QStringLiteral("a\ufffe"), false, true)
                                                  << QStringLiteral("non-character U+FFFE");
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

ZORVANE_TEST(tst_TextDecoding)
#include "tst_TextDecoding.moc"
