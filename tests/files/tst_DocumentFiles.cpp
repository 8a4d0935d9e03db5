// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "Watchdog.h"
#include "WriteLock.h"

#include "editor/EditorControl.h"
#include "text/FileIo.h"
#include "text/TextDecoding.h"
#include "support/RawFile.h"
#include "support/TestMain.h"
#include "support/Utf16Bytes.h"

#include <QFileInfo>
#include <QTest>

Q_DECLARE_METATYPE(TextFormat)

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString untitled = QStringLiteral("Zorvane v1.0 - [Untitled]");
const QString saveErrorText = QStringLiteral("The following error has ocurred : ");

} // namespace

class tst_DocumentFiles : public QObject
{
    Q_OBJECT

private slots:
    void openAndSaveKeepEveryByte_data();
    void openAndSaveKeepEveryByte();
    void editKeepsTheFilesFormat_data();
    void editKeepsTheFilesFormat();
    void stateAfterEachCommand();
    void unsavedChangesQuestion_data();
    void unsavedChangesQuestion();
    void saveAsWritesTheNewName();
    void cancelledDialogsChangeNothing();
    void saveError_data();
    void saveError();
    void textOutsideTheFilesEncoding_data();
    void textOutsideTheFilesEncoding();
    void openFailure_data();
    void openFailure();
    void largeFiles_data();
    void largeFiles();
    void namesThatAreNotUtf8();
    void saveWritesThroughSymlinkAndKeepsPermissions();
    void largePageIsSavedInPieces_data();
    void largePageIsSavedInPieces();
};

void tst_DocumentFiles::openAndSaveKeepEveryByte_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("utf-8 crlf") << QByteArray("<p>caf\xC3\xA9 \xE2\x86\x92</p>\r\n")
                                << QStringLiteral("<p>caf\u00e9 \u2192</p>\r\n");
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF<p>\xE2\x82\xAC</p>\r\n") << QStringLiteral("<p>\u20ac</p>\r\n");
    QTest::newRow("windows-1252 e-acute and euro")
        << QByteArray("<p>caf\xE9 \x80</p>\r\n") << QStringLiteral("<p>caf\u00e9 \u20ac</p>\r\n");
    QTest::newRow("lf line breaks") << QByteArray("<html>\n<body>\n</body>\n</html>\n")
                                    << QStringLiteral("<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
    QTest::newRow("no final line break") << QByteArray("<p>one</p>\r\n<p>two</p>") << QStringLiteral("<p>one</p>\r\n<p>two</p>");
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("utf-8, two boms") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF<p>x</p>") << QStringLiteral("\ufeff<p>x</p>");
    QTest::newRow("utf-16le with bom") << utf16(QStringLiteral("<p>\u00e9\U0001F600</p>\r\n"), false, true)
                                       << QStringLiteral("<p>\u00e9\U0001F600</p>\r\n");
    QTest::newRow("utf-16be with bom, lf") << utf16(QStringLiteral("<p>\u4f60</p>\n"), true, true)
                                           << QStringLiteral("<p>\u4f60</p>\r\n");
    QTest::newRow("utf-16le without bom") << utf16(QStringLiteral("<html>\r\n</html>"), false, false)
                                          << QStringLiteral("<html>\r\n</html>");
}

void tst_DocumentFiles::editKeepsTheFilesFormat_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("edited"); // after "<b>\u00e9</b>" is typed at the start

    const QString edit = QStringLiteral("<b>\u00e9</b>");
    for (const bool bigEndian : {false, true}) {
        const char *order = bigEndian ? "be" : "le";
        QTest::addRow("utf-16%s, crlf", order) << utf16(QStringLiteral("<p>\u4f60</p>\r\n"), bigEndian, true)
                                               << utf16(edit + QStringLiteral("<p>\u4f60</p>\r\n"), bigEndian, true);
        QTest::addRow("utf-16%s, lf", order)
            << utf16(QStringLiteral("a\nb\n"), bigEndian, true) << utf16(edit + QStringLiteral("a\nb\n"), bigEndian, true);
        QTest::addRow("utf-16%s, two boms", order)
            << utf16(QStringLiteral("\ufeffa"), bigEndian, true) << utf16(edit + QStringLiteral("\ufeffa"), bigEndian, true);
        QTest::addRow("utf-16%s without bom", order)
            << utf16(QStringLiteral("<p></p>"), bigEndian, false) << utf16(edit + QStringLiteral("<p></p>"), bigEndian, false);
    }
    QTest::newRow("utf-8, two boms") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                   "a\n")
                                     << QByteArray("\xEF\xBB\xBF<b>\xC3\xA9</b>\xEF\xBB\xBF"
                                                   "a\n");
}

void tst_DocumentFiles::editKeepsTheFilesFormat()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, edited);

    MainWindowFixture f;
    const QString file = f.write(QStringLiteral("page.htm"), bytes);
    f.open(file);
    f.w.r1().setSelStart(0);
    f.w.r1().setSelText(QStringLiteral("<b>\u00e9</b>"));
    f.run("mnuSave");
    QVERIFY(f.host.allAnswered());
    QVERIFY(!f.saveFlag());
    QCOMPARE(MainWindowFixture::read(file), edited);
}

void tst_DocumentFiles::openAndSaveKeepEveryByte()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    MainWindowFixture f;
    const QString file = f.write(QStringLiteral("page.htm"), bytes);
    f.open(file);
    QCOMPARE(f.w.r1().Text(), text);
    QCOMPARE(f.w.r1().SelStart(), 0);
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [page.htm] | file | Save off"));

    // An edit taken back by hand turns Save on without changing the text.
    f.w.r1().setSelText(QStringLiteral("x"));
    f.w.r1().setSelStart(0);
    f.w.r1().setSelLength(1);
    f.w.r1().setSelText(QString());
    QVERIFY(f.saveFlag());
    f.run("mnuSave");
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [page.htm] | file | Save off"));
    QCOMPARE(MainWindowFixture::read(file), bytes);

    // Save As writes the same bytes under the new name.
    const QString copy = f.path(QStringLiteral("copy.html"));
    f.host.answerFileDialog(copy);
    f.run("mnuSaveAs");
    QCOMPARE(MainWindowFixture::read(copy), bytes);
    QVERIFY(f.host.allAnswered());
}

void tst_DocumentFiles::stateAfterEachCommand()
{
    MainWindowFixture f;
    const QString other = f.write(QStringLiteral("other.htm"), QByteArray("<p>other</p>"));
    QCOMPARE(f.state(), untitled + QStringLiteral(" | no file | Save on"));

    f.w.r1().setSelText(QStringLiteral("<b>"));
    QCOMPARE(f.state(), untitled + QStringLiteral(" | no file | Save on"));

    const QString file = f.path(QStringLiteral("first.htm"));
    f.host.answerFileDialog(file);
    f.run("mnuSave");
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [first.htm] | file | Save off"));
    QCOMPARE(f.w.files().SavedBeforePath, file);
    QVERIFY(MainWindowFixture::read(file).startsWith("<b><HTML>\r\n"));

    f.w.r1().setSelText(QStringLiteral("<i>"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [first.htm] | file | Save on"));

    // Saving into the known file asks nothing.
    f.run("mnuSave");
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [first.htm] | file | Save off"));
    QVERIFY(MainWindowFixture::read(file).startsWith("<b><i><HTML>"));

    // Nothing unsaved: New asks nothing; the new template counts as unsaved.
    f.run("mnuNew");
    QCOMPARE(f.state(), untitled + QStringLiteral(" | no file | Save on"));
    QCOMPARE(f.w.files().SavedBeforePath, QString());
    QVERIFY(f.w.r1().Text().startsWith(QLatin1String("<HTML>\r\n<HEAD>")));

    // Open switches Cut and Copy off along with Save.
    f.w.action(QStringLiteral("mnuCut"))->setEnabled(true);
    f.w.action(QStringLiteral("mnuCopy"))->setEnabled(true);
    f.open(other);
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [other.htm] | file | Save off"));
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>other</p>"));
    QVERIFY(!f.w.action(QStringLiteral("mnuCut"))->isEnabled());
    QVERIFY(!f.w.action(QStringLiteral("mnuCopy"))->isEnabled());
    QVERIFY(!f.w.toolbarButton(QStringLiteral("Cut"))->isEnabled());
    QVERIFY(f.host.allAnswered());
}

void tst_DocumentFiles::unsavedChangesQuestion_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("answer");
    // For Yes: what the save of the untitled document meets.
    QTest::addColumn<QString>("save");
    QTest::addColumn<bool>("goesOn");

    const QString closing = QStringLiteral("Save file before closing?");
    const QString opening = QStringLiteral("Save file before opening another?");
    for (const auto &[command, question] :
         {std::pair{QByteArray("mnuNew"), closing}, std::pair{QByteArray("mnuOpen"), opening}}) {
        QTest::addRow("%s cancel", command.constData()) << command << question << int(HostServices::Cancel) << QString() << false;
        QTest::addRow("%s no", command.constData()) << command << question << int(HostServices::No) << QString() << true;
        QTest::addRow("%s yes, saved", command.constData())
            << command << question << int(HostServices::Yes) << QStringLiteral("saved") << true;
        // A save that does not happen keeps the unsaved work: the command stops.
        QTest::addRow("%s yes, save dialog cancelled", command.constData())
            << command << question << int(HostServices::Yes) << QStringLiteral("dialog cancelled") << false;
        QTest::addRow("%s yes, save failed", command.constData())
            << command << question << int(HostServices::Yes) << QStringLiteral("write failed") << false;
    }
}

void tst_DocumentFiles::unsavedChangesQuestion()
{
    QFETCH(QByteArray, command);
    QFETCH(QString, question);
    QFETCH(int, answer);
    QFETCH(QString, save);
    QFETCH(bool, goesOn);

    MainWindowFixture f;
    const QString next = f.write(QStringLiteral("next.htm"), QByteArray("<p>next</p>"));
    const QString saved = f.path(QStringLiteral("saved.htm"));
    f.w.r1().setText(QStringLiteral("unsaved work"));

    f.host.answerMsgBox(answer);
    if (save == QLatin1String("dialog cancelled")) {
        f.host.answerFileDialog(std::nullopt);
    } else if (save == QLatin1String("write failed")) {
        f.host.answerFileDialog(saved);
        f.host.failNextWrite(QStringLiteral("No space left on device"));
        f.host.answerMsgBox(HostServices::Cancel);
    } else if (save == QLatin1String("saved")) {
        f.host.answerFileDialog(saved);
    }
    if (goesOn && command == "mnuOpen")
        f.host.answerFileDialog(next);
    f.run(command.constData());

    const ScriptedHost::Question &asked = f.host.asked().constFirst();
    QCOMPARE(asked.text, question);
    QCOMPARE(asked.title, QStringLiteral("Prompt"));
    QCOMPARE(asked.style, HostServices::YesNoCancel | HostServices::Exclamation);
    QVERIFY(f.host.allAnswered());
    QCOMPARE(QFileInfo::exists(saved), save == QLatin1String("saved"));
    if (save == QLatin1String("saved"))
        QCOMPARE(MainWindowFixture::read(saved), QByteArray("unsaved work"));

    if (!goesOn) {
        QCOMPARE(f.w.r1().Text(), QStringLiteral("unsaved work"));
        QCOMPARE(f.state(), untitled + QStringLiteral(" | no file | Save on"));
    } else if (command == "mnuNew") {
        QVERIFY(f.w.r1().Text().startsWith(QLatin1String("<HTML>")));
        QCOMPARE(f.state(), untitled + QStringLiteral(" | no file | Save on"));
    } else {
        QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>next</p>"));
        QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [next.htm] | file | Save off"));
    }
}

void tst_DocumentFiles::saveAsWritesTheNewName()
{
    MainWindowFixture f;
    const QString first = f.write(QStringLiteral("first.htm"), QByteArray("<p>first</p>"));
    f.open(first);

    const QString second = f.path(QStringLiteral("second.html"));
    f.host.answerFileDialog(second);
    f.run("mnuSaveAs");
    QCOMPARE(f.host.asked().constLast().kind, QStringLiteral("ShowSave"));
    QCOMPARE(f.host.asked().constLast().filter, QStringLiteral("HTML Documents|*.htm;*.html;*.HTM;*.HTML|All Files|*.*"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [second.html] | file | Save off"));
    QCOMPARE(f.w.files().SavedBeforePath, second);
    QCOMPARE(MainWindowFixture::read(second), QByteArray("<p>first</p>"));

    // Later saves go to the new file; the old one stays as it was.
    f.w.r1().setSelText(QStringLiteral("<hr>"));
    f.run("mnuSave");
    QCOMPARE(MainWindowFixture::read(second), QByteArray("<hr><p>first</p>"));
    QCOMPARE(MainWindowFixture::read(first), QByteArray("<p>first</p>"));
    QVERIFY(f.host.allAnswered());
}

void tst_DocumentFiles::cancelledDialogsChangeNothing()
{
    MainWindowFixture f;
    const QString file = f.write(QStringLiteral("page.htm"), QByteArray("<p>page</p>"));

    // Untitled: a cancelled Save writes nothing and leaves the document unsaved.
    f.host.answerFileDialog(std::nullopt);
    f.run("mnuSave");
    QCOMPARE(f.state(), untitled + QStringLiteral(" | no file | Save on"));

    f.open(file);
    f.w.r1().setSelText(QStringLiteral("<b>"));

    // A cancelled Save As keeps the document tied to its file: Save still writes there.
    f.host.answerFileDialog(std::nullopt);
    f.run("mnuSaveAs");
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [page.htm] | file | Save on"));
    QCOMPARE(f.w.files().SavedBeforePath, file);
    QCOMPARE(MainWindowFixture::read(file), QByteArray("<p>page</p>"));

    // A cancelled Open keeps the document.
    f.host.answerMsgBox(HostServices::No);
    f.host.answerFileDialog(std::nullopt);
    f.run("mnuOpen");
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<b><p>page</p>"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [page.htm] | file | Save on"));

    f.run("mnuSave");
    QCOMPARE(MainWindowFixture::read(file), QByteArray("<b><p>page</p>"));
    QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.htm")});
    QVERIFY(f.host.allAnswered());
}

void tst_DocumentFiles::saveError_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("written");

    const QList<int> retryThenCancel{HostServices::Retry, HostServices::Cancel};
    QTest::newRow("file deleted") << QStringLiteral("deleted") << retryThenCancel << false;
    QTest::newRow("file read-only") << QStringLiteral("read-only file") << retryThenCancel << false;
    // No temporary file can be made beside it: the file is rewritten in place.
    QTest::newRow("folder read-only") << QStringLiteral("read-only folder") << QList<int>() << true;
    QTest::newRow("file replaced by a pipe") << QStringLiteral("pipe") << retryThenCancel << false;
    QTest::newRow("write fails, cancel") << QStringLiteral("injected") << QList<int>{HostServices::Cancel} << false;
    QTest::newRow("write fails once, retry") << QStringLiteral("injected") << QList<int>{HostServices::Retry} << true;
}

void tst_DocumentFiles::saveError()
{
    QFETCH(QString, fault);
    QFETCH(QList<int>, answers);
    QFETCH(bool, written);

    MainWindowFixture f;
    const QByteArray old("<p>old</p>\r\n");
    const QString file = f.write(QStringLiteral("page.htm"), old);
    f.open(file);
    f.w.r1().setSelText(QStringLiteral("<p>new</p>\r\n"));

    std::unique_ptr<WriteLock> lock;
    if (fault == QLatin1String("deleted")) {
        QVERIFY(QFile::remove(file));
    } else if (fault == QLatin1String("read-only file")) {
        lock = std::make_unique<WriteLock>(file);
    } else if (fault == QLatin1String("read-only folder")) {
        lock = std::make_unique<WriteLock>(f.folder.path());
    } else if (fault == QLatin1String("pipe")) {
        QVERIFY(QFile::remove(file));
        QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0644) == 0);
    } else {
        f.host.failNextWrite(QStringLiteral("Input/output error"));
    }
    if (lock && !lock->ok())
        QSKIP("cannot make a file unwritable for this user here");

    for (const int answer : answers)
        f.host.answerMsgBox(answer);
    const qsizetype before = f.host.asked().size();
    {
        const Watchdog watchdog("saving");
        f.run("mnuSave");
    }
    lock.reset();

    QVERIFY(f.host.allAnswered());
    const QList<ScriptedHost::Question> asked = f.host.asked().mid(before);
    QCOMPARE(asked.size(), answers.size());
    for (const ScriptedHost::Question &question : asked) {
        QVERIFY2(question.text.startsWith(saveErrorText), qPrintable(question.text));
        QVERIFY(question.text.size() > saveErrorText.size());
        QCOMPARE(question.title, QStringLiteral("Error"));
        QCOMPARE(question.style, int(HostServices::RetryCancel));
    }
    QCOMPARE(f.saveFlag(), !written);
    QCOMPARE(f.state().section(u'|', 0, 1), QStringLiteral("Zorvane v1.0 - [page.htm] | file "));
    if (fault == QLatin1String("deleted"))
        QVERIFY(!QFileInfo::exists(file)); // not created again
    else if (fault == QLatin1String("pipe"))
        QVERIFY2(asked.constFirst().text.contains(QLatin1String("named pipe")) && QFileInfo(file).isFile() == false,
                 qPrintable(asked.constFirst().text));
    else
        QCOMPARE(MainWindowFixture::read(file), written ? QByteArray("<p>new</p>\r\n<p>old</p>\r\n") : old);
    QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             fault == QLatin1String("deleted") ? QStringList() : QStringList{QStringLiteral("page.htm")});
}

void tst_DocumentFiles::textOutsideTheFilesEncoding_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("yes: saved as utf-8") << int(HostServices::Yes)
                                         << QByteArray("\xE2\x86\x92"
                                                       "caf\xC3\xA9\r\n");
    QTest::newRow("no: not saved") << int(HostServices::No) << QByteArray("caf\xE9\r\n");
}

void tst_DocumentFiles::textOutsideTheFilesEncoding()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, expected);

    MainWindowFixture f;
    const QString file = f.write(QStringLiteral("latin.htm"), QByteArray("caf\xE9\r\n"));
    f.open(file);
    f.w.r1().setSelText(QStringLiteral("\u2192"));

    f.host.answerMsgBox(answer);
    f.run("mnuSave");
    QCOMPARE(f.host.asked().constLast().title, QStringLiteral("Prompt"));
    QCOMPARE(f.host.asked().constLast().style, HostServices::YesNo | HostServices::Exclamation);
    QVERIFY(f.host.allAnswered());
    QCOMPARE(MainWindowFixture::read(file), expected);
    QCOMPARE(f.saveFlag(), answer != HostServices::Yes);

    if (answer == HostServices::Yes) {
        // The file is UTF-8 now: the next save asks nothing.
        f.w.r1().setSelText(QStringLiteral("\u00e9"));
        f.run("mnuSave");
        QCOMPARE(MainWindowFixture::read(file), QByteArray("\xE2\x86\x92\xC3\xA9"
                                                           "caf\xC3\xA9\r\n"));
        QVERIFY(f.host.allAnswered());
    }
}

void tst_DocumentFiles::openFailure_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << QStringLiteral("missing") << QStringLiteral("does not exist");
    QTest::newRow("folder") << QStringLiteral("folder") << QStringLiteral("folder");
    QTest::newRow("nul bytes") << QStringLiteral("nul bytes") << QStringLiteral("NUL");
    QTest::newRow("no read permission") << QStringLiteral("no read permission") << QStringLiteral("permission denied");
    QTest::newRow("read error") << QStringLiteral("read error") << QStringLiteral("Input/output error");
    QTest::newRow("named pipe") << QStringLiteral("pipe") << QStringLiteral("named pipe (FIFO)");
    QTest::newRow("link to a named pipe") << QStringLiteral("link to pipe") << QStringLiteral("named pipe (FIFO)");
    QTest::newRow("/dev/zero") << QStringLiteral("/dev/zero") << QStringLiteral("character device");
    QTest::newRow("symlink loop") << QStringLiteral("loop") << QStringLiteral("loop of symbolic links");
    QTest::newRow("path over 4096 bytes") << QStringLiteral("long path") << QStringLiteral("too long");
}

void tst_DocumentFiles::openFailure()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    MainWindowFixture f;
    const QString current = f.write(QStringLiteral("current.htm"), QByteArray("<p>current</p>"));
    f.open(current);
    f.w.r1().setSelText(QStringLiteral("<b>"));

    QString target = f.path(QStringLiteral("bad.htm"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("bad.htm")));
    } else if (kind == QLatin1String("nul bytes")) {
        f.write(QStringLiteral("bad.htm"), QByteArray("<p>\0\x01\x02</p>", 10));
    } else if (kind == QLatin1String("no read permission")) {
        if (::getuid() == 0)
            QSKIP("root reads every file");
        f.write(QStringLiteral("bad.htm"), QByteArray("<p>secret</p>"));
        QVERIFY(QFile::setPermissions(target, {}));
    } else if (kind == QLatin1String("read error")) {
        // Opens, but reading its first bytes fails (EIO).
        target = QStringLiteral("/proc/self/mem");
    } else if (kind == QLatin1String("pipe") || kind == QLatin1String("link to pipe")) {
        QVERIFY(::mkfifo(QFile::encodeName(f.path(QStringLiteral("pipe"))).constData(), 0644) == 0);
        QVERIFY(QFile::link(f.path(QStringLiteral("pipe")), target));
        if (kind == QLatin1String("pipe"))
            target = f.path(QStringLiteral("pipe"));
    } else if (kind == QLatin1String("loop")) {
        QVERIFY(QFile::link(target, target));
    } else if (kind == QLatin1String("long path")) {
        target = f.path(QString(4100, u'd') + QStringLiteral("/bad.htm"));
    } else if (kind.startsWith(u'/')) {
        target = kind;
    }

    // File > Open, then the same file given on the command line.
    f.host.answerMsgBox(HostServices::No); // keep the edit unsaved
    f.host.answerFileDialog(target);
    f.host.answerMsgBox(HostServices::Ok);
    f.host.answerMsgBox(HostServices::Ok);
    {
        const Watchdog watchdog("opening");
        f.run("mnuOpen");
        QVERIFY(!f.w.files().openDocument(FileIo::pathFromArgument(FileIo::encodeName(target).constData())));
    }

    QVERIFY(f.host.allAnswered());
    for (const ScriptedHost::Question &message : f.host.asked().mid(f.host.asked().size() - 2)) {
        QCOMPARE(message.kind, QStringLiteral("MsgBox"));
        QVERIFY2(message.text.startsWith(QStringLiteral("Cannot open %1:\r\n").arg(target)), qPrintable(message.text));
        QVERIFY2(message.text.contains(reason), qPrintable(message.text));
    }
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<b><p>current</p>"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [current.htm] | file | Save on"));
    QCOMPARE(f.w.files().SavedBeforePath, current);
}

void tst_DocumentFiles::largeFiles_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("asked");   // "" when not asked
    QTest::addColumn<QString>("refusal"); // the message after a Yes, "" when declined

    QTest::newRow("beyond the maximum") << DocumentSize::Maximum + 1 << QString() << QString();
    QTest::newRow("large, declined") << DocumentSize::Comfortable + 1 << QStringLiteral("large file") << QString();
    // Read whole once accepted: the limit the question raised holds for the read.
    QTest::newRow("large, accepted") << DocumentSize::Comfortable + 1 << QStringLiteral("large file")
                                     << QStringLiteral("the file holds binary data (NUL bytes)");
}

void tst_DocumentFiles::largeFiles()
{
    QFETCH(qint64, size);
    QFETCH(QString, asked);
    QFETCH(QString, refusal);

    MainWindowFixture f;
    const QString current = f.write(QStringLiteral("current.htm"), QByteArray("<p>current</p>"));
    f.open(current);
    // Sparse: the size is there, the disk space and the memory are not spent.
    const QString big = f.write(QStringLiteral("big.htm"), QByteArray());
    QVERIFY(QFile::resize(big, size));

    if (asked.isEmpty()) {
        f.host.answerMsgBox(HostServices::Ok);
    } else if (refusal.isEmpty()) {
        f.host.answerMsgBox(HostServices::No);
    } else {
        f.host.answerMsgBox(HostServices::Yes);
        f.host.answerMsgBox(HostServices::Ok);
    }
    QVERIFY(!f.w.files().openDocument(big));

    QVERIFY(f.host.allAnswered());
    if (!refusal.isEmpty())
        QVERIFY2(f.host.asked().constLast().text.contains(refusal), qPrintable(f.host.asked().constLast().text));
    const ScriptedHost::Question &question = f.host.asked().at(f.host.asked().size() - (refusal.isEmpty() ? 1 : 2));
    if (!asked.isEmpty()) {
        QVERIFY2(question.text.contains(asked), qPrintable(question.text));
        QCOMPARE(question.style, HostServices::YesNo | HostServices::Exclamation);
    } else {
        QVERIFY2(question.text.contains(QLatin1String("too large")), qPrintable(question.text));
    }
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>current</p>"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [current.htm] | file | Save off"));
}

void tst_DocumentFiles::namesThatAreNotUtf8()
{
    MainWindowFixture f;
    const QByteArray folder = QFile::encodeName(f.folder.path());
    const QByteArray name = folder + "/caf\xE9.htm";
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    QVERIFY(::write(fd, "<p>latin</p>", 12) == 12);
    ::close(fd);

    // As the command line gives it.
    QVERIFY(f.w.files().openDocument(FileIo::pathFromArgument(name.constData())));
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>latin</p>"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [caf\ufffd.htm] | file | Save off"));

    f.w.r1().setSelText(QStringLiteral("<hr>"));
    f.run("mnuSave");
    QVERIFY(!f.saveFlag());
    QCOMPARE(rawFileBytes(name), QByteArray("<hr><p>latin</p>"));

    // Save As under another such name.
    const QByteArray otherName = folder + "/\xFF.html";
    const QString other = FileIo::decodeName(otherName);
    f.host.answerFileDialog(other);
    f.run("mnuSaveAs");
    QCOMPARE(rawFileBytes(otherName), QByteArray("<hr><p>latin</p>"));
    QCOMPARE(f.w.files().SavedBeforePath, other);
    QVERIFY(f.host.allAnswered());
    QCOMPARE(FileIo::listFolder(f.folder.path()).size(), 2);
}

void tst_DocumentFiles::saveWritesThroughSymlinkAndKeepsPermissions()
{
    MainWindowFixture f;
    QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("real")));
    const QString target = f.write(QStringLiteral("real/page.htm"), QByteArray("<p>page</p>\n"));
    const QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(target, mode));
    const QString link = f.path(QStringLiteral("link.htm"));
    QVERIFY(QFile::link(QStringLiteral("real/page.htm"), link));

    f.open(link);
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [link.htm] | file | Save off"));
    f.w.r1().setSelText(QStringLiteral("<hr>\r\n"));
    f.run("mnuSave");

    QVERIFY(!f.saveFlag());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(MainWindowFixture::read(target), QByteArray("<hr>\n<p>page</p>\n"));
    QCOMPARE(QFile::permissions(target) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), mode);
    QCOMPARE(QDir(f.folder.path() + QStringLiteral("/real")).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("page.htm")});
}

void tst_DocumentFiles::largePageIsSavedInPieces_data()
{
    QTest::addColumn<TextFormat>("format");
    QTest::addColumn<QString>("failure"); // "" or what goes wrong on the first try

    using Encoding = TextFormat::Encoding;
    using LineBreaks = TextFormat::LineBreaks;
    const TextFormat utf8;
    const TextFormat utf8BomLf{Encoding::Utf8, true, LineBreaks::Lf};
    const TextFormat utf16Le{Encoding::Utf16Le, true, LineBreaks::CrLf};
    const TextFormat utf16BeLf{Encoding::Utf16Be, true, LineBreaks::Lf};
    const TextFormat cp1252Lf{Encoding::Windows1252, false, LineBreaks::Lf};
    QTest::newRow("utf-8") << utf8 << QString();
    QTest::newRow("utf-8 with bom, lf") << utf8BomLf << QString();
    QTest::newRow("utf-16le") << utf16Le << QString();
    QTest::newRow("utf-16be, lf") << utf16BeLf << QString();
    QTest::newRow("windows-1252, lf") << cp1252Lf << QString();
    // The disk fills up after half the pieces were written; Retry writes them all again.
    QTest::newRow("utf-16be, lf, write fails halfway, retry") << utf16BeLf << QStringLiteral("halfway");
    // A character Windows-1252 lacks, far past the first piece: found before a byte is written.
    QTest::newRow("windows-1252, unmappable late, kept unsaved") << cp1252Lf << QStringLiteral("unmappable");
}

void tst_DocumentFiles::largePageIsSavedInPieces()
{
    QFETCH(TextFormat, format);
    QFETCH(QString, failure);

    // About 3 MB whose 29-byte lines put every kind of character and break on piece boundaries.
    const QString line = format.encoding == TextFormat::Encoding::Windows1252
                             ? QStringLiteral("<p>caf\u00e9 \u20ac \u00fc</p>\r\n")
                             : QStringLiteral("<p>\u00e9 \u20ac \U0001F600 \u4f60</p>\r\n");
    QString text;
    while (text.size() < (3 << 20) / 2)
        text += line;
    const EncodedText file = encodeDocument(text, format);
    QVERIFY(file.ok);
    MainWindowFixture f;
    const QString path = f.write(QStringLiteral("page.htm"), file.bytes);
    f.open(path);
    QCOMPARE(f.w.r1().length(), text.size());
    f.w.r1().setSelStart(0);
    f.w.r1().setSelText(QStringLiteral("<b>\u00e9</b>"));
    if (failure == QLatin1String("unmappable")) {
        f.w.r1().setSelStart(f.w.r1().length() - 2);
        f.w.r1().setSelText(QStringLiteral("\u4f60"));
        f.host.answerMsgBox(HostServices::No); // not as UTF-8
    } else if (failure == QLatin1String("halfway")) {
        f.host.failNextWrite(QStringLiteral("No space left on device"));
        f.host.answerMsgBox(HostServices::Retry);
    }
    const EncodedText expected = encodeDocument(f.w.r1().Text(), format);
    f.run("mnuSave");
    QVERIFY(f.host.allAnswered());
    QCOMPARE(f.saveFlag(), failure == QLatin1String("unmappable"));
    const QByteArray written = MainWindowFixture::read(path);
    // Compared by hand: a failure should not print megabytes.
    const QByteArray &wanted = failure == QLatin1String("unmappable") ? file.bytes : expected.bytes;
    QCOMPARE(written.size(), wanted.size());
    QVERIFY(written == wanted);
    QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("page.htm")});
}

ZORVANE_TEST(tst_DocumentFiles)
#include "tst_DocumentFiles.moc"
