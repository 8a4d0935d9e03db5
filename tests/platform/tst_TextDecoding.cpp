// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextDecoding.h"
#include "support/TestMain.h"

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
    void nulBytesAreNoText();
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
    QTest::newRow("lone cr kept") << QByteArray("a\rb") << QStringLiteral("a\rb") << Encoding::Utf8 << false
                                  << LineBreaks::Mixed;
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

void tst_TextDecoding::nulBytesAreNoText()
{
    const DecodedText decoded = decodeDocument(QByteArray("<p>\0</p>", 8));
    QVERIFY(!decoded.ok);
    QVERIFY(decoded.error.contains(QLatin1String("NUL")));
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
}

ZORVANE_TEST(tst_TextDecoding)
#include "tst_TextDecoding.moc"
