// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/JournalFolder.h"
#include "recovery/OrphanedJournal.h"
#include "recovery/RecoveryJournal.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The journal files on disk: private, atomic, one per instance, and offered again only when
// the instance that wrote them is gone.
class tst_RecoveryJournal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writesPrivatelyAndReplacesAtomically();
    void refusesFoldersNotPrivatelyOwned_data();
    void refusesFoldersNotPrivatelyOwned();
    void makesALooseFolderPrivate();
    void liveInstancesKeepTheirJournals();
    void journalOfAKilledInstanceIsOfferedOnce();
    void leftoverLocksAreClearedAway();
    void newestJournalComesFirst();

private:
    QString folder() const { return m_root->filePath(QStringLiteral("state/zorvane")); }
    // Runs write in a child process that then dies without any clean-up, as kill -9 leaves it.
    static void inKilledProcess(const std::function<void()> &work);
    static int mode(const QString &path);
    static QStringList entries(const QString &folder);

    std::unique_ptr<QTemporaryDir> m_root;
};

namespace {

JournalRecord record(const QString &text)
{
    JournalRecord r;
    r.text = text;
    r.caption = QStringLiteral("Zorvane v1.0 - [Untitled]");
    return r;
}

} // namespace

void tst_RecoveryJournal::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
}

void tst_RecoveryJournal::inKilledProcess(const std::function<void()> &work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        ::_exit(0); // no destructor runs: the lock is released by the system alone
    }
    QVERIFY(child > 0);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
}

int tst_RecoveryJournal::mode(const QString &path)
{
    struct stat status {
    };
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? static_cast<int>(status.st_mode & 07777) : -1;
}

QStringList tst_RecoveryJournal::entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void tst_RecoveryJournal::writesPrivatelyAndReplacesAtomically()
{
    RecoveryJournal journal(folder());
    QVERIFY(journal.filePath().isEmpty()); // nothing on disk before there is something to keep
    QCOMPARE(journal.write(record(QStringLiteral("first"))), QString());
    QCOMPARE(mode(folder()), 0700);
    const QString file = journal.filePath();
    QVERIFY(file.startsWith(folder() + u'/'));
    QCOMPARE(mode(file), 0600);
    QCOMPARE(journal.write(record(QStringLiteral("second"))), QString());
    QFile in(file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const std::optional<JournalRecord> read = JournalRecord::parse(in.readAll());
    QVERIFY(read);
    QCOMPARE(read->text, QStringLiteral("second"));
    // The journal and its lock; no temporary file is left behind.
    QCOMPARE(entries(folder()), QStringList({QFileInfo(file).fileName(), QFileInfo(file).fileName() + QStringLiteral(".lock")}));
    journal.remove();
    QCOMPARE(entries(folder()), QStringList({QFileInfo(file).fileName() + QStringLiteral(".lock")}));
}

void tst_RecoveryJournal::refusesFoldersNotPrivatelyOwned_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a link to a folder") << QStringLiteral("link");
    QTest::newRow("a file") << QStringLiteral("file");
    QTest::newRow("another user's folder") << QStringLiteral("foreign");
}

void tst_RecoveryJournal::refusesFoldersNotPrivatelyOwned()
{
    QFETCH(QString, kind);
    const QString elsewhere = m_root->filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(elsewhere));
    QVERIFY(QDir().mkpath(QFileInfo(folder()).absolutePath()));
    if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(elsewhere, folder()));
    } else if (kind == QLatin1String("file")) {
        QFile plain(folder());
        QVERIFY(plain.open(QIODevice::WriteOnly));
    } else {
        if (::geteuid() != 0)
            QSKIP("only the superuser can give a folder to another user");
        QVERIFY(QDir().mkpath(folder()));
        QCOMPARE(::chown(QFile::encodeName(folder()).constData(), 65534, 65534), 0);
    }
    RecoveryJournal journal(folder());
    const QString error = journal.write(record(QStringLiteral("secret")));
    QVERIFY2(error.contains(folder()), qPrintable(error));
    QVERIFY(entries(elsewhere).isEmpty());
    if (kind == QLatin1String("foreign"))
        QVERIFY(entries(folder()).isEmpty());
}

void tst_RecoveryJournal::makesALooseFolderPrivate()
{
    QVERIFY(QDir().mkpath(folder()));
    QVERIFY(QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                QFileDevice::ReadOther | QFileDevice::ExeOther));
    RecoveryJournal journal(folder());
    QCOMPARE(journal.write(record(QStringLiteral("x"))), QString());
    QCOMPARE(mode(folder()), 0700);
}

void tst_RecoveryJournal::liveInstancesKeepTheirJournals()
{
    RecoveryJournal first(folder());
    RecoveryJournal second(folder());
    QCOMPARE(first.write(record(QStringLiteral("one"))), QString());
    QCOMPARE(second.write(record(QStringLiteral("two"))), QString());
    QVERIFY(first.filePath() != second.filePath());
    // Both instances still run: nobody may take their journals.
    QVERIFY(OrphanedJournal::claim(folder()).empty());
    QCOMPARE(entries(folder()).size(), 4);
}

void tst_RecoveryJournal::journalOfAKilledInstanceIsOfferedOnce()
{
    const QString place = folder();
    inKilledProcess([place] {
        static RecoveryJournal journal(place); // never destroyed in the child
        if (!journal.write(record(QStringLiteral("unsaved work"))).isEmpty())
            ::_exit(1);
    });
    std::vector<OrphanedJournal> claimed = OrphanedJournal::claim(folder());
    QCOMPARE(claimed.size(), std::size_t(1));
    const std::optional<JournalRecord> read = claimed.front().read();
    QVERIFY(read);
    QCOMPARE(read->text, QStringLiteral("unsaved work"));
    // While this instance holds it, a second one starting meanwhile does not offer it too.
    QVERIFY(OrphanedJournal::claim(folder()).empty());
    claimed.front().discard();
    QVERIFY(entries(folder()).isEmpty());
}

void tst_RecoveryJournal::leftoverLocksAreClearedAway()
{
    const QString place = folder();
    inKilledProcess([place] {
        static RecoveryJournal journal(place);
        journal.write(record(QStringLiteral("soon gone")));
        journal.remove(); // the instance had saved; only its lock is left
    });
    QCOMPARE(entries(folder()).size(), 1);
    RecoveryJournal alive(folder());
    QCOMPARE(alive.write(record(QStringLiteral("alive"))), QString());
    alive.remove();
    QVERIFY(OrphanedJournal::claim(folder()).empty());
    // The dead instance's lock went; the live one's stays.
    QCOMPARE(entries(folder()), QStringList({QFileInfo(alive.filePath()).fileName() + QStringLiteral(".lock")}));
}

void tst_RecoveryJournal::newestJournalComesFirst()
{
    const QString place = folder();
    for (const QString &text : {QStringLiteral("older"), QStringLiteral("newer")}) {
        inKilledProcess([place, text] {
            static RecoveryJournal journal(place);
            journal.write(record(text));
        });
        QTest::qWait(20); // distinct modification times
    }
    std::vector<OrphanedJournal> claimed = OrphanedJournal::claim(folder());
    QCOMPARE(claimed.size(), std::size_t(2));
    QCOMPARE(claimed.at(0).read()->text, QStringLiteral("newer"));
    QCOMPARE(claimed.at(1).read()->text, QStringLiteral("older"));
}

ZORVANE_TEST(tst_RecoveryJournal)
#include "tst_RecoveryJournal.moc"
