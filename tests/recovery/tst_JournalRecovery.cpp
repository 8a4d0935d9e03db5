// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/HostServices.h"
#include "recovery/JournalRecovery.h"
#include "recovery/OrphanedJournal.h"
#include "recovery/RecoveryJournal.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The start-up questions about journals that ended instances left behind.
class tst_JournalRecovery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void answers_data();
    void answers();
    void damagedJournalIsSetAsideAndReported();
    void journalsOfLiveInstancesAreNotOffered();
    void questionNamesTheDocument_data();
    void questionNamesTheDocument();

private:
    // A journal as an instance leaves it when it is gone without closing its document.
    void leaveJournal(const QString &text);
    QStringList files() const { return QDir(m_folder).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_folder;
};

void tst_JournalRecovery::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    m_folder = m_root->filePath(QStringLiteral("zorvane"));
}

void tst_JournalRecovery::leaveJournal(const QString &text)
{
    JournalRecord record;
    record.text = text;
    record.caption = QStringLiteral("Zorvane v1.0 - [Untitled]");
    record.written = QDateTime::currentDateTimeUtc();
    // The instance's lock goes with it; the journal stays.
    RecoveryJournal ended(m_folder);
    QCOMPARE(ended.write(record), QString());
    QTest::qWait(20); // one journal newer than the other
}

void tst_JournalRecovery::answers_data()
{
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("keptAgain"); // the restored text reached this instance's journal
    QTest::addColumn<QStringList>("restored");
    QTest::addColumn<int>("journalsLeft");
    QTest::newRow("No to both: both deleted") << QList<int>{HostServices::No, HostServices::No} << true << QStringList() << 0;
    QTest::newRow("Yes to the newest: the older waits for the next start")
        << QList<int>{HostServices::Yes} << true << QStringList{QStringLiteral("newer")} << 1;
    QTest::newRow("No, then Yes") << QList<int>{HostServices::No, HostServices::Yes} << true
                                  << QStringList{QStringLiteral("older")} << 0;
    QTest::newRow("restored but not kept again: the journal stays")
        << QList<int>{HostServices::Yes} << false << QStringList{QStringLiteral("newer")} << 2;
}

void tst_JournalRecovery::answers()
{
    QFETCH(QList<int>, answers);
    QFETCH(bool, keptAgain);
    QFETCH(QStringList, restored);
    QFETCH(int, journalsLeft);
    leaveJournal(QStringLiteral("older"));
    leaveJournal(QStringLiteral("newer"));
    ScriptedHost host;
    for (int answer : answers)
        host.answerMsgBox(answer);
    QStringList texts;
    const bool recovered = JournalRecovery::offer(
        host,
        [&](const JournalRecord &record) {
            texts << record.text;
            return keptAgain;
        },
        m_folder);
    QCOMPARE(recovered, !restored.isEmpty());
    QCOMPARE(texts, restored);
    QVERIFY(host.allAnswered());
    for (const ScriptedHost::Question &question : host.asked()) {
        QCOMPARE(question.title, QStringLiteral("Prompt"));
        QCOMPARE(question.style, HostServices::YesNo | HostServices::Exclamation);
    }
    QCOMPARE(files().filter(RecoveryJournal::suffix()).filter(QRegularExpression(QStringLiteral("journal$"))).size(),
             journalsLeft);
    // Every lock was released: what is left is offered again at the next start.
    QVERIFY(files().filter(QStringLiteral(".lock")).isEmpty());
}

void tst_JournalRecovery::damagedJournalIsSetAsideAndReported()
{
    leaveJournal(QStringLiteral("text"));
    const QString journal = QDir(m_folder).filePath(files().constFirst());
    QFile damaged(journal);
    QVERIFY(damaged.open(QIODevice::ReadWrite));
    QVERIFY(damaged.resize(damaged.size() - 3));
    damaged.close();
    ScriptedHost host;
    host.answerMsgBox(HostServices::Ok);
    QVERIFY(!JournalRecovery::offer(
        host, [](const JournalRecord &) { return true; }, m_folder));
    QCOMPARE(host.asked().size(), 1);
    QVERIFY2(host.asked().constFirst().text.contains(journal + QStringLiteral(".damaged")),
             qPrintable(host.asked().constFirst().text));
    QCOMPARE(files(), QStringList{QFileInfo(journal).fileName() + QStringLiteral(".damaged")});
    // Not offered again.
    QVERIFY(!JournalRecovery::offer(
        host, [](const JournalRecord &) { return true; }, m_folder));
    QCOMPARE(host.asked().size(), 1);
}

void tst_JournalRecovery::journalsOfLiveInstancesAreNotOffered()
{
    RecoveryJournal alive(m_folder);
    JournalRecord record;
    record.text = QStringLiteral("still being edited");
    QCOMPARE(alive.write(record), QString());
    ScriptedHost host; // no answer scripted: any question fails the test
    QVERIFY(!JournalRecovery::offer(
        host, [](const JournalRecord &) { return true; }, m_folder));
    QVERIFY(QFile::exists(alive.filePath()));
}

void tst_JournalRecovery::questionNamesTheDocument_data()
{
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a file") << true << QStringLiteral("/home/u/site/index.html")
                            << QStringLiteral(
                                   "Zorvane ended without saving the changes to \"index.html\" (/home/u/site/index.html)");
    QTest::newRow("untitled") << false << QString() << QStringLiteral("Zorvane ended without saving an untitled document");
}

void tst_JournalRecovery::questionNamesTheDocument()
{
    QFETCH(bool, hasFile);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    JournalRecord record;
    record.hasFile = hasFile;
    record.path = path;
    record.written = QDateTime::currentDateTimeUtc();
    const QString question = JournalRecovery::question(record);
    QVERIFY2(question.startsWith(expected), qPrintable(question));
    QVERIFY(question.endsWith(QStringLiteral("\r\nRecover the unsaved text?")));
}

ZORVANE_TEST(tst_JournalRecovery)
#include "tst_JournalRecovery.moc"
