// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/DocumentJournal.h"
#include "text/TextDecoding.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The document's journal written from a snapshot of the editor's UTF-8 on a worker thread: the
// same record as one written whole, never two writes at once, never an older text over a newer
// one, nothing brought back once discarded.
class tst_DocumentJournal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void streamedRecordReadsBackAsWritten_data();
    void streamedRecordReadsBackAsWritten();
    void cancelledWriteStops();
    void discardDuringAWriteLeavesNothing();
    void newestSnapshotIsWhatStays();
    void writeNowReplacesAWriteInFlight();
    void closingWaitsForTheWriteInFlight();

private:
    QString folder() const { return m_root->filePath(QStringLiteral("state/zorvane")); }
    QStringList entries() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    // The text the journal file at path holds; empty when there is none or it cannot be read.
    static std::optional<JournalRecord> read(const QString &path);
    // A journal of whatever text holds at the time.
    std::unique_ptr<DocumentJournal> journalOf(const QByteArray &text) const;

    std::unique_ptr<QTemporaryDir> m_root;
};

namespace {

// Large enough that a write is still going when the next call comes, on any machine worth
// testing on; the outcome checked never depends on whether it is.
QByteArray largeText(char mark)
{
    QByteArray line("<p>caf\xC3\xA9 \xF0\x9F\x98\x80</p>\r\n");
    line[3] = mark;
    return line.repeated((8 << 20) / line.size());
}

} // namespace

void tst_DocumentJournal::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
}

std::optional<JournalRecord> tst_DocumentJournal::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return JournalRecord::readFrom(file);
}

std::unique_ptr<DocumentJournal> tst_DocumentJournal::journalOf(const QByteArray &text) const
{
    return std::make_unique<DocumentJournal>(
        [] {
            JournalRecord record;
            record.caption = QStringLiteral("Zorvane v1.0 - [page.htm]");
            return std::optional<JournalRecord>(record);
        },
        DocumentJournal::Text{[&text] { return qint64(text.size()); },
                              // Pieces of at most 100 KB, as the editor's gap may cut them.
                              [&text](qint64 from, qint64 length) {
                                  return QByteArrayView(text).sliced(from, std::min({length, text.size() - from, qint64(100'000)}));
                              }},
        folder());
}

void tst_DocumentJournal::streamedRecordReadsBackAsWritten_data()
{
    QTest::addColumn<QByteArray>("utf8");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("line breaks and a BOM first") << QByteArray("\xEF\xBB\xBF<p>a</p>\r\n\r\n");
    // Pieces are 256 KB: a surrogate pair and a 3-byte sequence across the first boundary.
    QTest::newRow("pair on a piece boundary") << QByteArray((1 << 18) - 2, 'a') + "\xF0\x9F\x98\x80\xE2\x82\xAC" + "z";
    QTest::newRow("several pieces") << largeText('x').left(3 << 20);
}

void tst_DocumentJournal::streamedRecordReadsBackAsWritten()
{
    QFETCH(QByteArray, utf8);

    JournalRecord whole;
    whole.text = textFromUtf8(utf8);
    whole.caption = QStringLiteral("Zorvane v1.0 - [caf\u00e9.htm]");
    whole.hasFile = true;
    whole.path = QStringLiteral("/tmp/caf\u00e9.htm");
    whole.format.encoding = TextFormat::Encoding::Utf16Be;
    whole.written = QDateTime::currentDateTimeUtc();
    JournalRecord fields = whole;
    fields.text.clear();

    QByteArray bytes;
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    const std::atomic_bool cancelled = false;
    QVERIFY(fields.writeTo(buffer, utf8, cancelled));
    const std::optional<JournalRecord> back = JournalRecord::parse(bytes);
    QVERIFY(back);
    QVERIFY(*back == whole);
    if (!utf8.isEmpty())
        QVERIFY(bytes == whole.serialize());
}

void tst_DocumentJournal::cancelledWriteStops()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    const std::atomic_bool cancelled = true;
    QVERIFY(!JournalRecord().writeTo(buffer, largeText('x'), cancelled));
    QVERIFY(bytes.size() < (1 << 20));
}

void tst_DocumentJournal::discardDuringAWriteLeavesNothing()
{
    const QByteArray text = largeText('a');
    const std::unique_ptr<DocumentJournal> journal = journalOf(text);
    // Discarded while the text is copied, and while it is written.
    journal->startWrite();
    QVERIFY(journal->writing());
    journal->discard();
    QVERIFY(!journal->writing());
    QVERIFY(journal->filePath().isEmpty());
    journal->startWrite();
    QTRY_VERIFY(!journal->filePath().isEmpty()); // copied; most likely still being written
    journal->discard();
    QVERIFY(!journal->writing());
    const QString lock = QFileInfo(journal->filePath()).fileName() + QStringLiteral(".lock");
    QCOMPARE(entries(), QStringList{lock});
    // The write's report, still on its way, changes nothing.
    QCoreApplication::processEvents();
    QCOMPARE(entries(), QStringList{lock});
}

void tst_DocumentJournal::newestSnapshotIsWhatStays()
{
    QByteArray text = largeText('a');
    const std::unique_ptr<DocumentJournal> journal = journalOf(text);
    QList<QString> failures;
    connect(journal.get(), &DocumentJournal::failed, this, [&failures](const QString &reason) { failures << reason; });
    journal->startWrite();
    QTRY_VERIFY(!journal->filePath().isEmpty()); // copied, and being written
    text = largeText('b');
    journal->startWrite(); // copied, then waits for the first
    text = largeText('c');
    journal->documentChanged(); // drops a copy under way, or leaves 'b' waiting
    journal->startWrite(); // takes the place of the one waiting
    QTRY_VERIFY(!journal->writing());
    QCOMPARE(failures, QList<QString>());
    const std::optional<JournalRecord> kept = read(journal->filePath());
    QVERIFY(kept);
    QVERIFY(kept->text == textFromUtf8(largeText('c')));
    QCOMPARE(entries().size(), 2); // the journal and its lock, no temporary file
}

void tst_DocumentJournal::writeNowReplacesAWriteInFlight()
{
    QByteArray text = largeText('a');
    const std::unique_ptr<DocumentJournal> journal = journalOf(text);
    journal->startWrite();
    QTRY_VERIFY(!journal->filePath().isEmpty());
    text = QByteArrayLiteral("<p>newest</p>");
    journal->documentChanged();
    QVERIFY(journal->writeNow());
    QVERIFY(!journal->writing());
    QVERIFY(!journal->writePending());
    QCoreApplication::processEvents(); // the stale write's report comes and changes nothing
    const std::optional<JournalRecord> kept = read(journal->filePath());
    QVERIFY(kept);
    QCOMPARE(kept->text, QStringLiteral("<p>newest</p>"));
    QCOMPARE(entries().size(), 2);
}

void tst_DocumentJournal::closingWaitsForTheWriteInFlight()
{
    const QByteArray text = largeText('a');
    QString path;
    {
        const std::unique_ptr<DocumentJournal> journal = journalOf(text);
        journal->startWrite();
        QTRY_VERIFY(!journal->filePath().isEmpty());
        path = journal->filePath();
    }
    const std::optional<JournalRecord> kept = read(path);
    QVERIFY(kept);
    QVERIFY(kept->text == textFromUtf8(text));
    QCOMPARE(entries(), QStringList{QFileInfo(path).fileName()}); // the lock went with the instance
}

ZORVANE_TEST(tst_DocumentJournal)
#include "tst_DocumentJournal.moc"
