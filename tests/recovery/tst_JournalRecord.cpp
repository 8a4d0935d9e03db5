// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/JournalRecord.h"
#include "support/TestMain.h"

#include <QTest>

class tst_JournalRecord : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void refusesWhatItDidNotWrite_data();
    void refusesWhatItDidNotWrite();
};

namespace {

JournalRecord sample()
{
    JournalRecord record;
    record.text = QStringLiteral("<HTML>\r\nunsaved</HTML>");
    record.caption = QStringLiteral("Zorvane v1.0 - [page.html]");
    record.hasFile = true;
    record.path = QStringLiteral("/home/user/page.html");
    record.written = QDateTime(QDate(2026, 12, 10), QTime(14, 32, 5, 120), Qt::UTC);
    return record;
}

} // namespace

void tst_JournalRecord::roundTrip_data()
{
    QTest::addColumn<JournalRecord>("record");
    QTest::newRow("a file") << sample();
    JournalRecord untitled = sample();
    untitled.hasFile = false;
    untitled.path.clear();
    untitled.caption = QStringLiteral("Zorvane v1.0 - [Untitled]");
    QTest::newRow("untitled") << untitled;
    JournalRecord empty = sample();
    empty.text.clear();
    QTest::newRow("empty text") << empty;
    // A name whose bytes were no UTF-8 reaches the program as unpaired surrogates.
    JournalRecord oddName = sample();
    oddName.path = QStringLiteral("/tmp/a") + QChar(0xDC80) + QChar(0xDCFF) + QStringLiteral("&b.html");
    oddName.text = QStringLiteral("NUL \u0000 astral \U0001F600 lone ") + QChar(0xD800);
    QTest::newRow("any code unit") << oddName;
    JournalRecord legacy = sample();
    legacy.format.encoding = TextFormat::Encoding::Windows1252;
    legacy.format.lineBreaks = TextFormat::LineBreaks::Lf;
    QTest::newRow("Windows-1252, LF") << legacy;
    JournalRecord bom = sample();
    bom.format.byteOrderMark = true;
    bom.format.lineBreaks = TextFormat::LineBreaks::Mixed;
    QTest::newRow("BOM, mixed breaks") << bom;
    for (const TextFormat::Encoding wide : {TextFormat::Encoding::Utf16Le, TextFormat::Encoding::Utf16Be}) {
        JournalRecord utf16 = bom;
        utf16.format.encoding = wide;
        QTest::newRow(wide == TextFormat::Encoding::Utf16Le ? "UTF-16 LE" : "UTF-16 BE") << utf16;
    }
}

void tst_JournalRecord::roundTrip()
{
    QFETCH(JournalRecord, record);
    QString error;
    const std::optional<JournalRecord> back = JournalRecord::parse(record.serialize(), &error);
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(back->text, record.text);
    QCOMPARE(back->path, record.path);
    QVERIFY(*back == record);
}

void tst_JournalRecord::refusesWhatItDidNotWrite_data()
{
    const QByteArray good = sample().serialize();
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("another file") << QByteArray("<HTML>\r\n</HTML>");
    QTest::newRow("cut short") << good.chopped(1);
    QTest::newRow("cut in the header") << good.left(5);
    QTest::newRow("more after the end") << good + QByteArray("x");
    QByteArray otherVersion = good;
    otherVersion[4] = 2; // the version follows the four-byte magic, little-endian
    QTest::newRow("another version") << otherVersion;
    // A length that promises gigabytes must fail as a short read, not as an allocation.
    QByteArray huge = good.left(6 + 8);
    huge += QByteArray::fromHex("feffff7f");
    QTest::newRow("absurd length") << huge;
}

void tst_JournalRecord::refusesWhatItDidNotWrite()
{
    QFETCH(QByteArray, bytes);
    QString error;
    QVERIFY(!JournalRecord::parse(bytes, &error));
    QVERIFY(!error.isEmpty());
}

ZORVANE_TEST(tst_JournalRecord)
#include "tst_JournalRecord.moc"
