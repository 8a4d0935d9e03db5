// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "Watchdog.h"

#include "files/BrowsePane.h"
#include "editor/EditorControl.h"
#include "text/FileIo.h"
#include "support/RawFile.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QListWidget>
#include <QStorageInfo>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList entries(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text().trimmed();
    return texts;
}

QString selected(const QListWidget *list)
{
    const QList<QListWidgetItem *> items = list->selectedItems();
    return items.isEmpty() ? QString() : items.constFirst()->text();
}

} // namespace

// The main window with its Browse pane showing a folder of HTML pages.
class BrowseFixture : public MainWindowFixture
{
public:
    BrowseFixture()
    {
        write(QStringLiteral("a.htm"), QByteArray("<p>a</p>"));
        write(QStringLiteral("b.HTML"), QByteArray("<p>b</p>\n"));
        write(QStringLiteral("c.txt"), QByteArray("c"));
        write(QStringLiteral("d.xhtml"), QByteArray("d"));
        write(QStringLiteral("e.ht"), QByteArray("<p>e</p>"));
        write(QStringLiteral("f.htm.bak"), QByteArray("f"));
        write(QStringLiteral(".hidden.htm"), QByteArray("hidden"));
        QDir(folder.path()).mkdir(QStringLiteral("sub.htm"));
        write(QStringLiteral("sub.htm/inner.html"), QByteArray("<p>inner</p>"));
        pane = w.findChild<BrowsePane *>();
        pane->setDirPath(folder.path());
        file1 = pane->File1();
    }

    // A mouse click on the entry named name.
    void click(const QString &name)
    {
        QListWidgetItem *item = file1->findItems(name, Qt::MatchExactly).value(0);
        if (!item) {
            QTest::qFail(qPrintable(QStringLiteral("no entry %1").arg(name)), __FILE__, __LINE__);
            return;
        }
        file1->scrollToItem(item);
        QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, file1->visualItemRect(item).center());
    }

    BrowsePane *pane = nullptr;
    QListWidget *file1 = nullptr;
};

class tst_BrowsePane : public QObject
{
    Q_OBJECT

private slots:
    void listsHtmlFilesOfTheFolder();
    void startsAtTheCurrentFolder();
    void clickWithUnsavedChanges_data();
    void clickWithUnsavedChanges();
    void clickAndArrowKeysLoadAtOnce();
    void fileThatCannotBeLoaded();
    void folderThatCannotBeListed();
    void driveThatCannotBeRead();
    void pipesAndNamesThatAreNotUtf8();
    void watchesTheFolder_data();
    void watchesTheFolder();
};

void tst_BrowsePane::listsHtmlFilesOfTheFolder()
{
    BrowseFixture f;
    QCOMPARE(f.pane->dirPath(), QDir(f.folder.path()).absolutePath());
    QCOMPARE(entries(f.file1), (QStringList{QStringLiteral("a.htm"), QStringLiteral("b.HTML"), QStringLiteral("e.ht")}));
    QCOMPARE(selected(f.file1), QString());
    QCOMPARE(entries(f.pane->Dir1()).constLast(), QStringLiteral("sub.htm"));

    // Opening a folder in Dir1 (Enter, as a double click) lists its files.
    f.pane->Dir1()->setCurrentRow(f.pane->Dir1()->count() - 1);
    QTest::keyClick(f.pane->Dir1(), Qt::Key_Return);
    QCOMPARE(f.pane->dirPath(), f.path(QStringLiteral("sub.htm")));
    QCOMPARE(f.pane->filePath(), f.path(QStringLiteral("sub.htm")));
    QCOMPARE(entries(f.file1), QStringList{QStringLiteral("inner.html")});

    // New points the file list at the folder list's folder again, nothing selected.
    f.w.r1().setText(QString());
    f.host.answerMsgBox(HostServices::No);
    f.run("mnuNew");
    QCOMPARE(entries(f.file1), QStringList{QStringLiteral("inner.html")});
    QVERIFY(f.host.allAnswered());
}

void tst_BrowsePane::startsAtTheCurrentFolder()
{
    QTemporaryDir folder;
    QFile page(folder.filePath(QStringLiteral("start.htm")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    MainWindowFixture f;
    QDir::setCurrent(before);

    auto *pane = f.w.findChild<BrowsePane *>();
    QCOMPARE(pane->dirPath(), QDir(folder.path()).absolutePath());
    QCOMPARE(entries(pane->File1()), QStringList{QStringLiteral("start.htm")});
    // Where the system cannot tell the folder's volume (a chroot), the pane shows "/".
    const QString volume = QStorageInfo(folder.path()).rootPath();
    QCOMPARE(pane->Drive1()->currentText(), volume.isEmpty() ? QStringLiteral("/") : volume);
}

void tst_BrowsePane::clickWithUnsavedChanges_data()
{
    QTest::addColumn<int>("answer");
    // For Yes: whether the save dialog gives a name.
    QTest::addColumn<bool>("saveDialogAnswered");
    QTest::addColumn<bool>("loads");

    QTest::newRow("cancel") << int(HostServices::Cancel) << false << false;
    QTest::newRow("no") << int(HostServices::No) << false << true;
    QTest::newRow("yes, saved") << int(HostServices::Yes) << true << true;
    // The unsaved work is kept when its save does not happen.
    QTest::newRow("yes, save dialog cancelled") << int(HostServices::Yes) << false << false;
}

void tst_BrowsePane::clickWithUnsavedChanges()
{
    QFETCH(int, answer);
    QFETCH(bool, saveDialogAnswered);
    QFETCH(bool, loads);

    BrowseFixture f;
    f.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.w));
    f.w.r1().setText(QStringLiteral("unsaved work"));
    const QString saved = f.path(QStringLiteral("saved.htm"));

    f.host.answerMsgBox(answer);
    if (answer == HostServices::Yes)
        f.host.answerFileDialog(saveDialogAnswered ? std::optional<QString>(saved) : std::nullopt);
    f.click(QStringLiteral("b.HTML"));

    QVERIFY(f.host.allAnswered());
    const ScriptedHost::Question &asked = f.host.asked().constFirst();
    QCOMPARE(asked.text, QStringLiteral("Save file before opening another?"));
    QCOMPARE(asked.title, QStringLiteral("Prompt"));
    QCOMPARE(asked.style, HostServices::YesNoCancel | HostServices::Exclamation);
    if (saveDialogAnswered)
        QCOMPARE(MainWindowFixture::read(saved), QByteArray("unsaved work"));
    if (loads) {
        QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>b</p>\r\n"));
        QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [b.HTML] | file | Save off"));
        QCOMPARE(selected(f.file1), QStringLiteral("b.HTML"));
    } else {
        QCOMPARE(f.w.r1().Text(), QStringLiteral("unsaved work"));
        QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [Untitled] | no file | Save on"));
        // The list does not pretend the file is open; clicking it again asks again.
        QCOMPARE(selected(f.file1), QString());
        f.host.answerMsgBox(HostServices::Cancel);
        f.click(QStringLiteral("b.HTML"));
        QVERIFY(f.host.allAnswered());
    }
}

void tst_BrowsePane::clickAndArrowKeysLoadAtOnce()
{
    BrowseFixture f;
    f.w.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.w));
    // Tabbing into the list makes an entry current but opens nothing.
    f.file1->setFocus(Qt::TabFocusReason);
    QVERIFY(f.file1->hasFocus());
    QVERIFY(f.host.asked().isEmpty());

    f.host.answerMsgBox(HostServices::No); // the untouched template counts as unsaved
    f.click(QStringLiteral("a.htm"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [a.htm] | file | Save off"));

    // Nothing unsaved: no question. Cut and Copy keep their state.
    f.w.action(QStringLiteral("mnuCopy"))->setEnabled(true);
    f.click(QStringLiteral("e.ht"));
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>e</p>"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [e.ht] | file | Save off"));
    QCOMPARE(f.w.files().SavedBeforePath, f.path(QStringLiteral("e.ht")));
    QVERIFY(f.w.action(QStringLiteral("mnuCopy"))->isEnabled());

    QTest::keyClick(f.file1, Qt::Key_Up);
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>b</p>\r\n"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [b.HTML] | file | Save off"));
    QTest::keyClick(f.file1, Qt::Key_Up);
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [a.htm] | file | Save off"));

    // The loaded file is the document's file: Save writes there without a dialog, in its format.
    f.w.r1().setSelText(QStringLiteral("<hr>"));
    f.run("mnuSave");
    QCOMPARE(MainWindowFixture::read(f.path(QStringLiteral("a.htm"))), QByteArray("<hr><p>a</p>"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [a.htm] | file | Save off"));

    // A copy saved into the folder appears in the list, and the refresh keeps the selection.
    f.host.answerFileDialog(f.path(QStringLiteral("a2.htm")));
    f.run("mnuSaveAs");
    QTRY_COMPARE(entries(f.file1), (QStringList{QStringLiteral("a.htm"), QStringLiteral("a2.htm"), QStringLiteral("b.HTML"),
                                                QStringLiteral("e.ht")}));
    QCOMPARE(selected(f.file1), QStringLiteral("a.htm"));
    QVERIFY(f.host.allAnswered());
}

void tst_BrowsePane::fileThatCannotBeLoaded()
{
    BrowseFixture f;
    f.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.w));
    f.host.answerMsgBox(HostServices::No);
    f.click(QStringLiteral("a.htm"));
    QVERIFY(QFile::remove(f.path(QStringLiteral("b.HTML"))));

    f.host.answerMsgBox(HostServices::Ok);
    f.click(QStringLiteral("b.HTML"));
    QVERIFY(f.host.allAnswered());
    QVERIFY2(f.host.asked().constLast().text.contains(f.path(QStringLiteral("b.HTML"))),
             qPrintable(f.host.asked().constLast().text));
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>a</p>"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [a.htm] | file | Save off"));
    QCOMPARE(f.w.files().SavedBeforePath, f.path(QStringLiteral("a.htm")));
    QCOMPARE(selected(f.file1), QStringLiteral("a.htm"));
}

void tst_BrowsePane::folderThatCannotBeListed()
{
    BrowseFixture f;
    QVERIFY(QDir(f.path(QStringLiteral("sub.htm"))).removeRecursively());
    QVERIFY(QDir(f.folder.path()).removeRecursively());

    f.w.Dir1_Change();
    QCOMPARE(entries(f.file1), QStringList());

    // A folder that is gone cannot be chosen; the lists stay as they were.
    QCOMPARE(f.pane->setDirPath(f.path(QStringLiteral("sub.htm"))), false);
    QCOMPARE(f.pane->dirPath(), QDir(f.folder.path()).absolutePath());
    QCOMPARE(entries(f.pane->Dir1()).constLast(), QStringLiteral("sub.htm"));
}

void tst_BrowsePane::driveThatCannotBeRead()
{
    BrowseFixture f;
    QComboBox *drive1 = f.pane->Drive1();
    const QString drive = drive1->currentText();
    // A drive without a medium: listed, but its root cannot be read.
    drive1->insertItem(drive1->currentIndex() + 1, QStringLiteral("/media/no-medium"), QStringLiteral("/media/no-medium"));

    QTest::keyClick(drive1, Qt::Key_Down);
    QCOMPARE(drive1->currentText(), drive);
    QCOMPARE(f.pane->dirPath(), QDir(f.folder.path()).absolutePath());
    QCOMPARE(entries(f.file1), (QStringList{QStringLiteral("a.htm"), QStringLiteral("b.HTML"), QStringLiteral("e.ht")}));
    QVERIFY(f.host.asked().isEmpty());

    // Another drive shows its root folder, here a folder standing in for one.
    const QString other = f.path(QStringLiteral("sub.htm"));
    drive1->insertItem(drive1->currentIndex() + 1, other, other);
    QTest::keyClick(drive1, Qt::Key_Down);
    QCOMPARE(f.pane->dirPath(), other);
    QCOMPARE(entries(f.file1), QStringList{QStringLiteral("inner.html")});
}

void tst_BrowsePane::pipesAndNamesThatAreNotUtf8()
{
    BrowseFixture f;
    const QByteArray folder = QFile::encodeName(f.folder.path());
    QVERIFY(::mkfifo((folder + "/pipe").constData(), 0644) == 0);
    QVERIFY(::symlink("pipe", (folder + "/pipe.htm").constData()) == 0);
    const int fd = ::open((folder + "/caf\xE9.htm").constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    QVERIFY(::write(fd, "<p>latin</p>", 12) == 12);
    ::close(fd);
    QVERIFY(::mkdir((folder + "/d\xFF").constData(), 0755) == 0);
    QVERIFY(::close(::open((folder + "/d\xFF/inner.htm").constData(), O_WRONLY | O_CREAT, 0644)) == 0);
    f.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.w));
    QVERIFY(f.pane->setDirPath(f.folder.path()));
    const QString latin = FileIo::decodeName(folder + "/caf\xE9.htm").section(u'/', -1);
    QCOMPARE(entries(f.file1), (QStringList{QStringLiteral("a.htm"), QStringLiteral("b.HTML"), latin, QStringLiteral("e.ht"),
                                            QStringLiteral("pipe.htm")}));

    // The link to a pipe is refused at once, naming what it is; the document stays.
    f.host.answerMsgBox(HostServices::No);
    f.host.answerMsgBox(HostServices::Ok);
    {
        const Watchdog watchdog("loading a pipe from the Browse pane");
        f.click(QStringLiteral("pipe.htm"));
    }
    QVERIFY(f.host.allAnswered());
    const QString message = f.host.asked().constLast().text;
    QVERIFY2(message.contains(f.path(QStringLiteral("pipe.htm"))) && message.contains(QLatin1String("named pipe (FIFO)")),
             qPrintable(message));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [Untitled] | no file | Save on"));
    QCOMPARE(selected(f.file1), QString());

    f.host.answerMsgBox(HostServices::No);
    f.click(latin);
    QVERIFY(f.host.allAnswered());
    QCOMPARE(f.w.r1().Text(), QStringLiteral("<p>latin</p>"));
    QCOMPARE(f.state(), QStringLiteral("Zorvane v1.0 - [caf\ufffd.htm] | file | Save off"));
    f.w.r1().setSelText(QStringLiteral("<hr>"));
    f.run("mnuSave");
    QCOMPARE(rawFileBytes(folder + "/caf\xE9.htm"), QByteArray("<hr><p>latin</p>"));

    // A folder with such a name is listed, shown readably, and can be browsed.
    const QString odd = FileIo::decodeName(folder + "/d\xFF");
    QVERIFY(entries(f.pane->Dir1()).contains(QStringLiteral("d\ufffd")));
    QVERIFY(f.pane->setDirPath(odd));
    QCOMPARE(f.pane->dirPath(), odd);
    QCOMPARE(entries(f.file1), QStringList{QStringLiteral("inner.htm")});
}

void tst_BrowsePane::watchesTheFolder_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("utf-8 folder") << QByteArray("pages");
    QTest::newRow("folder not utf-8") << QByteArray("\xff\xfe");
}

// Files made, renamed and deleted in the listed folder by another program show up in the list,
// whatever bytes the folder's name holds.
void tst_BrowsePane::watchesTheFolder()
{
    QFETCH(QByteArray, name);
    BrowseFixture f;
    const QByteArray folder = QFile::encodeName(f.folder.path()) + '/' + name;
    if (::mkdir(folder.constData(), 0755) != 0) {
        if (errno == EILSEQ || errno == EINVAL)
            QSKIP("the file system refuses names that are not UTF-8");
        QFAIL("cannot make the folder");
    }
    const QByteArray file = folder + "/\xff\xfe.html";
    QVERIFY(::close(::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644)) == 0);
    QVERIFY(f.pane->setDirPath(FileIo::decodeName(folder)));
    const QString odd = FileIo::decodeName(file).section(u'/', -1);
    QCOMPARE(entries(f.file1), QStringList{odd});

    QVERIFY(::close(::open((folder + "/new.htm").constData(), O_WRONLY | O_CREAT | O_EXCL, 0644)) == 0);
    QTRY_COMPARE(entries(f.file1), (QStringList{QStringLiteral("new.htm"), odd}));
    QVERIFY(::rename((folder + "/new.htm").constData(), (folder + "/renamed.htm").constData()) == 0);
    QTRY_COMPARE(entries(f.file1), (QStringList{QStringLiteral("renamed.htm"), odd}));
    QVERIFY(::unlink(file.constData()) == 0);
    QTRY_COMPARE(entries(f.file1), QStringList{QStringLiteral("renamed.htm")});

    // Another folder replaces the watch: changes to the first no longer list it again.
    QVERIFY(f.pane->setDirPath(f.folder.path()));
    QVERIFY(::unlink((folder + "/renamed.htm").constData()) == 0);
    QVERIFY(::close(::open((QFile::encodeName(f.folder.path()) + "/later.htm").constData(), O_WRONLY | O_CREAT | O_EXCL,
                           0644)) == 0);
    QTRY_VERIFY(entries(f.file1).contains(QStringLiteral("later.htm")));
}

ZORVANE_TEST(tst_BrowsePane)
#include "tst_BrowsePane.moc"
