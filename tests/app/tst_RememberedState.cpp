// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/MainWindowFixture.h"
#include "files/RawTree.h"

#include "app/RecentFiles.h"
#include "files/BrowsePane.h"
#include "editor/EditorControl.h"
#include "text/FileIo.h"
#include "recovery/DocumentJournal.h"
#include "recovery/JournalFolder.h"
#include "recovery/RecoveryJournal.h"
#include "support/TestMain.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>
#include <QUrl>

#include <fcntl.h>

// What the main window keeps across runs: the recent files, the unsaved text's journal, its
// geometry and the Browse pane's folder; and files dropped on it.
class tst_RememberedState : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void recentFilesStandAboveExit();
    void recentFilesKeepEightMostRecentFirst();
    void recentFileCaption_data();
    void recentFileCaption();
    void choosingARecentFileAsksFirst_data();
    void choosingARecentFileAsksFirst();
    void missingRecentFileIsReportedAndRemoved();
    void droppedFileOpens_data();
    void droppedFileOpens();
    void dragWithoutAFileIsLeftAlone();
    void namesThatAreNotUtf8AreKept();
    void journalFollowsTheUnsavedText();
    void journalThatCannotBeWrittenIsReported();
    void recoveredDocumentIsAsItWas();
    void geometryAndFolderComeBack();

private:
    static QStringList fileMenu(const frmMainWin &window);
    static QStringList journals();
};

void tst_RememberedState::init()
{
    QSettings().clear();
    QDir(JournalFolder::path()).removeRecursively();
}

QStringList tst_RememberedState::fileMenu(const frmMainWin &window)
{
    QStringList lines;
    for (const QAction *item : window.action(QStringLiteral("mnuFile"))->menu()->actions())
        lines << (item->isSeparator() ? QStringLiteral("-") : item->text());
    return lines;
}

QStringList tst_RememberedState::journals()
{
    return QDir(JournalFolder::path()).entryList({QStringLiteral("*") + RecoveryJournal::suffix()}, QDir::Files);
}

void tst_RememberedState::recentFilesStandAboveExit()
{
    MainWindowFixture f;
    QCOMPARE(fileMenu(f.w), QStringList({"New", "Open", "-", "Save", "Save As...", "-", "Exit"}));
    const QString a = f.write(QStringLiteral("a.html"), "<p>a</p>");
    const QString b = f.write(QStringLiteral("b.html"), "<p>b</p>");
    f.open(a);
    f.open(b);
    // Saved files join the list too.
    const QString c = f.path(QStringLiteral("c.html"));
    f.host.answerFileDialog(c);
    f.run("mnuSaveAs");
    QVERIFY(f.host.allAnswered());
    QCOMPARE(fileMenu(f.w),
             QStringList({"New", "Open", "-", "Save", "Save As...", "-", "&1 " + c, "&2 " + b, "&3 " + a, "-", "Exit"}));
}

void tst_RememberedState::recentFilesKeepEightMostRecentFirst()
{
    MainWindowFixture f;
    QStringList paths;
    for (int i = 1; i <= 10; ++i)
        paths << f.write(QStringLiteral("page%1.html").arg(i), "<p></p>");
    for (const QString &path : paths)
        f.open(path);
    f.open(paths.at(4)); // opened again: first, and only once
    const QStringList expected = {paths.at(4), paths.at(9), paths.at(8), paths.at(7),
                                  paths.at(6), paths.at(5), paths.at(3), paths.at(2)};
    QCOMPARE(RecentFiles::list(), expected);
    // The next run, or another window, finds the same list.
    ScriptedHost host;
    frmMainWin other(host);
    const QStringList menu = fileMenu(other);
    QCOMPARE(menu.at(6), "&1 " + expected.at(0));
    QCOMPARE(menu.at(13), "&8 " + expected.at(7));
    QCOMPARE(menu.at(14), QStringLiteral("-"));
}

void tst_RememberedState::recentFileCaption_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first") << 1 << QStringLiteral("/home/u/index.html") << QStringLiteral("&1 /home/u/index.html");
    QTest::newRow("an ampersand is shown, not an access key")
        << 8 << QStringLiteral("/srv/R&D/a&b.html") << QStringLiteral("&8 /srv/R&&D/a&&b.html");
}

void tst_RememberedState::recentFileCaption()
{
    QFETCH(int, number);
    QFETCH(QString, path);
    QFETCH(QString, caption);
    QCOMPARE(RecentFiles::caption(number, path), caption);
}

void tst_RememberedState::choosingARecentFileAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("No: opened") << int(HostServices::No) << true;
    QTest::newRow("Cancel: the document stays") << int(HostServices::Cancel) << false;
}

void tst_RememberedState::choosingARecentFileAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(bool, opened);
    MainWindowFixture f;
    const QString page = f.write(QStringLiteral("page.html"), "<p>page</p>");
    RecentFiles::add(page);
    MainWindowFixture g; // a later run: its list holds the page, its template is unsaved
    g.w.r1().setText(QStringLiteral("edited"));
    g.host.answerMsgBox(answer);
    g.run("mnuRecent1");
    QVERIFY(g.host.allAnswered());
    QCOMPARE(g.host.asked().constFirst().text, QStringLiteral("Save file before opening another?"));
    QCOMPARE(g.w.r1().Text(), opened ? QStringLiteral("<p>page</p>") : QStringLiteral("edited"));
    QCOMPARE(g.state(), opened ? QStringLiteral("Zorvane v1.0 - [page.html] | file | Save off")
                               : QStringLiteral("Zorvane v1.0 - [Untitled] | no file | Save on"));
}

void tst_RememberedState::missingRecentFileIsReportedAndRemoved()
{
    MainWindowFixture f;
    const QString kept = f.write(QStringLiteral("kept.html"), "<p>kept</p>");
    const QString gone = f.write(QStringLiteral("gone.html"), "<p>gone</p>");
    f.open(kept);
    f.open(gone);
    QVERIFY(QFile::remove(gone));
    f.open(kept);
    QCOMPARE(RecentFiles::list(), QStringList({kept, gone}));
    f.host.answerMsgBox(HostServices::Ok);
    f.run("mnuRecent2");
    QVERIFY(f.host.allAnswered());
    const ScriptedHost::Question &message = f.host.asked().constLast();
    QVERIFY2(message.text.contains(gone), qPrintable(message.text));
    QCOMPARE(message.style, HostServices::OkOnly | HostServices::Exclamation);
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>kept</p>"));
    QCOMPARE(RecentFiles::list(), QStringList({kept}));
    QCOMPARE(fileMenu(f.w).mid(6), QStringList({"&1 " + kept, "-", "Exit"}));
}

void tst_RememberedState::droppedFileOpens_data()
{
    QTest::addColumn<bool>("onEditor");
    QTest::newRow("on the window") << false;
    // The editor takes drops of text itself; a file must open, not paste its name.
    QTest::newRow("on the editor") << true;
}

void tst_RememberedState::droppedFileOpens()
{
    QFETCH(bool, onEditor);
    MainWindowFixture f;
    const QString page = f.write(QStringLiteral("dropped.html"), "<p>dropped</p>");
    QWidget *target = &f.w;
    if (onEditor)
        target = qobject_cast<QAbstractScrollArea *>(f.w.r1().widget())->viewport();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(page)});
    data.setText(page);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    f.host.answerMsgBox(HostServices::No); // the unsaved template
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(f.w.r1().Text(), QStringLiteral("<p>dropped</p>"));
    QCOMPARE(f.host.asked().constFirst().text, QStringLiteral("Save file before opening another?"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [dropped.html] | file | Save off"));
}

void tst_RememberedState::dragWithoutAFileIsLeftAlone()
{
    MainWindowFixture f;
    QMimeData data;
    data.setText(QStringLiteral("just text"));
    data.setUrls({QUrl(QStringLiteral("https://example.com/page.html"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&f.w, &enter);
    QVERIFY(!enter.isAccepted());
}

void tst_RememberedState::namesThatAreNotUtf8AreKept()
{
    MainWindowFixture f;
    const RawTree cleanup(f.folder);
    const QByteArray raw = QFile::encodeName(f.folder.path()) + "/caf\xE9.html";
    {
        QFile out;
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        QVERIFY(fd >= 0);
        QVERIFY(out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        out.write("<p>latin-1 name</p>");
    }
    const QString path = FileIo::decodeName(raw);
    f.open(path);
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>latin-1 name</p>"));
    // The next run lists it, shown readably, and opens the very file.
    MainWindowFixture next;
    QCOMPARE(fileMenu(next.w).at(6), QStringLiteral("&1 ") + FileIo::displayName(path));
    next.host.answerMsgBox(HostServices::No);
    next.run("mnuRecent1");
    QCOMPARE(next.w.r1().Text(), QStringLiteral("<p>latin-1 name</p>"));
    // A drop brings the name's bytes percent-encoded.
    MainWindowFixture dropped;
    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file://" + raw.toPercentEncoding("/"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dropped.w, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    dropped.host.answerMsgBox(HostServices::No);
    QApplication::sendEvent(&dropped.w, &drop);
    QTRY_COMPARE(dropped.w.r1().Text(), QStringLiteral("<p>latin-1 name</p>"));
    QCOMPARE(dropped.w.files().SavedBeforePath, path);
}

void tst_RememberedState::journalFollowsTheUnsavedText()
{
    MainWindowFixture f;
    f.w.journal().setDelay(20);
    // An untouched template is nothing to keep: no write waits for it.
    QVERIFY(!f.w.journal().writePending());
    QVERIFY(journals().isEmpty());
    const QString page = f.write(QStringLiteral("page.html"), "<p>page</p>");
    f.open(page);
    f.w.r1().setSelText(QStringLiteral("typed "));
    QTRY_COMPARE(journals().size(), 1);
    QFile file(f.w.journal().filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const std::optional<JournalRecord> kept = JournalRecord::parse(file.readAll());
    QVERIFY(kept);
    QCOMPARE(kept->text, QStringLiteral("typed <p>page</p>"));
    QCOMPARE(kept->caption, QStringLiteral("Zorvane v1.0 - [page.html]"));
    QVERIFY(kept->hasFile);
    QCOMPARE(kept->path, page);
    // Saved, put away by New, or left on purpose: nothing stays behind.
    f.run("mnuSave");
    QVERIFY(journals().isEmpty());
    f.w.r1().setSelText(QStringLiteral("more "));
    QTRY_COMPARE(journals().size(), 1);
    f.host.answerMsgBox(HostServices::No);
    f.run("mnuNew");
    QVERIFY(journals().isEmpty());
    QVERIFY(!f.w.journal().writePending());
    f.w.r1().setSelText(QStringLiteral("new text"));
    QTRY_COMPARE(journals().size(), 1);
    f.host.answerMsgBox(HostServices::No); // "Save file before exit?"
    bool cancel = true;
    f.w.Form_QueryUnload(cancel);
    QVERIFY(!cancel);
    QVERIFY(journals().isEmpty());
}

void tst_RememberedState::journalThatCannotBeWrittenIsReported()
{
    // The state folder is a link to a folder elsewhere: nothing may be written through it.
    QTemporaryDir state;
    const QString target = state.filePath(QStringLiteral("target"));
    QVERIFY(QDir().mkdir(target));
    QVERIFY(QFile::link(target, state.filePath(QStringLiteral("zorvane"))));
    const QByteArray before = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    const auto restore = qScopeGuard([&before] { qputenv("XDG_STATE_HOME", before); });
    MainWindowFixture f;
    f.w.journal().setDelay(20);
    f.w.r1().setSelText(QStringLiteral("typed"));
    const auto *panel = f.w.findChild<QLabel *>(QStringLiteral("Panel1"));
    QVERIFY(panel);
    QTRY_VERIFY2(panel->text().startsWith(QStringLiteral("Unsaved text cannot be kept for recovery: ")),
                 qPrintable(panel->text()));
    QVERIFY(panel->text().contains(QStringLiteral("not a folder of its own")));
    QVERIFY(QDir(target).isEmpty());
}

void tst_RememberedState::recoveredDocumentIsAsItWas()
{
    MainWindowFixture f;
    const QString page = f.write(QStringLiteral("page.html"), "<p>caf\xE9</p>");
    JournalRecord record;
    record.text = QStringLiteral("<p>caf\u00e9 recovered</p>");
    record.caption = QStringLiteral("Zorvane v1.0 - [page.html]");
    record.hasFile = true;
    record.path = page;
    record.format.encoding = TextFormat::Encoding::Windows1252;
    record.written = QDateTime::currentDateTimeUtc();
    {
        RecoveryJournal ended; // an instance gone without closing its document
        QCOMPARE(ended.write(record), QString());
    }
    f.w.r1().setSelStart(2);
    f.w.r1().setSelLength(3);
    f.host.answerMsgBox(HostServices::Yes);
    QVERIFY(f.w.offerRecovery());
    QCOMPARE(f.host.asked().constFirst().title, QStringLiteral("Prompt"));
    QCOMPARE(f.w.r1().Text(), record.text);
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [page.html] | file | Save on"));
    QCOMPARE(f.w.files().SavedBeforePath, page);
    QVERIFY(!f.w.action(QStringLiteral("mnuCut"))->isEnabled());
    // Now kept by this window alone; the old journal went.
    QCOMPARE(journals(), QStringList({QFileInfo(f.w.journal().filePath()).fileName()}));
    // Saved into its file, in its file's encoding.
    f.run("mnuSave");
    QCOMPARE(MainWindowFixture::read(page), QByteArray("<p>caf\xE9 recovered</p>"));
    QVERIFY(journals().isEmpty());
}

void tst_RememberedState::geometryAndFolderComeBack()
{
    QTemporaryDir folder;
    {
        MainWindowFixture f;
        f.w.resize(700, 500);
        QVERIFY(f.w.findChild<BrowsePane *>()->setDirPath(folder.path()));
        f.host.answerMsgBox(HostServices::No);
        bool cancel = true;
        f.w.Form_QueryUnload(cancel);
        QVERIFY(!cancel);
    }
    ScriptedHost host;
    frmMainWin next(host);
    next.restoreSettings();
    next.Form_Load();
    QCOMPARE(next.size(), QSize(700, 500));
    auto *pane = next.findChild<BrowsePane *>();
    QCOMPARE(pane->dirPath(), folder.path());
    QCOMPARE(pane->filePath(), folder.path());
    // A folder that is gone leaves the pane where it starts anyway.
    const QString remembered = folder.path();
    folder.remove();
    frmMainWin later(host);
    later.restoreSettings();
    QCOMPARE(later.findChild<BrowsePane *>()->dirPath(), QDir::currentPath());
    QVERIFY(remembered != QDir::currentPath());
}

ZORVANE_TEST(tst_RememberedState)
#include "tst_RememberedState.moc"
