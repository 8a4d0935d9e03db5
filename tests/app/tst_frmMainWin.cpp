// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "files/DocumentFiles.h"
#include "formatting/FormattingToolbar.h"
#include "editor/EditorControl.h"
#include "previewui/PreviewView.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>


namespace {

const QString templateText =
    QStringLiteral("<HTML>\r\n<HEAD>\r\n<!-- Created With Zorvane v1.0 //-->\r\n<TITLE>Untitled</TITLE>\r\n</HEAD>\r\n"
                   "<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000CC>\r\n\r\n</BODY>\r\n</HTML>");

// The menu tree as seen by a user: "menu/caption [shortcut]" per item, "-" for separators.
QStringList describe(const QMenu *menu, const QString &path)
{
    QStringList lines;
    for (const QAction *item : menu->actions()) {
        if (item->isSeparator()) {
            lines << path + QStringLiteral("/-");
            continue;
        }
        QString line = path + u'/' + item->text();
        if (!item->shortcut().isEmpty())
            line += QStringLiteral(" [%1]").arg(item->shortcut().toString(QKeySequence::PortableText));
        if (!item->isEnabled())
            line += QStringLiteral(" (disabled)");
        if (item->isCheckable())
            line += item->isChecked() ? QStringLiteral(" (checked)") : QStringLiteral(" (unchecked)");
        lines << line;
        if (item->menu())
            lines << describe(item->menu(), path + u'/' + item->text());
    }
    return lines;
}

// Counts the quick preview's writes of its page.
class PreviewCountingHost : public ScriptedHost
{
public:
    using ScriptedHost::writeFileFresh;
    QString writeFileFresh(const QString &path, const ByteSource &bytes) override
    {
        if (QFileInfo(path).fileName() == QLatin1String("qprev.html"))
            ++previewWrites;
        return ScriptedHost::writeFileFresh(path, bytes);
    }

    int previewWrites = 0;
};

} // namespace

class tst_frmMainWin : public QObject
{
    Q_OBJECT

private slots:
    void startUpState();
    void menuTree();
    void toolbarGroupsAndTips();
    void toolbarDispatchByKey_data();
    void toolbarDispatchByKey();
    void closeRequest_data();
    void closeRequest();
    void closeDeletesOnlyThePreviewWindowFile();
    void newDocumentKeepsCombosFilledOnce();
    void minimumSize();
    void menuShortcutsWinOverTheEditor_data();
    void menuShortcutsWinOverTheEditor();
    void controlsAreNamedForAssistiveTools();
    void previewTabRefreshesOncePerSwitch_data();
    void previewTabRefreshesOncePerSwitch();
    void confirmedExitRunsNoFurtherHandler();
};

void tst_frmMainWin::startUpState()
{
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    QCOMPARE(window.windowTitle(), QStringLiteral("Zorvane v1.0 - [Untitled]"));
    QCOMPARE(window.r1().Text(), templateText);
    QCOMPARE(window.r1().SelStart(), 0);
    for (const QString &name : {QStringLiteral("Cut"), QStringLiteral("Copy")}) {
        QVERIFY(!window.action(QStringLiteral("mnu") + name)->isEnabled());
        QVERIFY(!window.toolbarButton(name)->isEnabled());
    }
    QVERIFY(window.action(QStringLiteral("mnuSave"))->isEnabled());
    QVERIFY(window.toolbarButton(QStringLiteral("Save"))->isEnabled());
    auto *colours = window.findChild<QComboBox *>(QStringLiteral("ColorCombo"));
    QCOMPARE(colours->currentText(), QStringLiteral("Black"));
    QCOMPARE(colours->count(), 16);
    QVERIFY(!colours->itemIcon(15).isNull());
    auto *sizes = window.findChild<QComboBox *>(QStringLiteral("SizeCombo"));
    QCOMPARE(sizes->count(), 11);
    QCOMPARE(sizes->currentText(), QStringLiteral("3"));
    QCOMPARE(sizes->itemText(10), QStringLiteral("+4"));
    auto *fonts = window.findChild<QComboBox *>(QStringLiteral("fntcbo"));
    QCOMPARE(fonts->count(), 8);
    QCOMPARE(fonts->currentText(), QStringLiteral("Arial"));
    QCOMPARE(fonts->itemText(7), QStringLiteral("Courier"));
    const auto *lftpane = window.findChild<QTabWidget *>(QStringLiteral("lftpanetb"));
    QCOMPARE(lftpane->tabText(0), QStringLiteral("Browse"));
    QCOMPARE(lftpane->tabText(1), QStringLiteral("Reference"));
    const auto *maintabs = window.findChild<QTabWidget *>(QStringLiteral("maintabs"));
    QCOMPARE(maintabs->tabText(0), QStringLiteral("Edit"));
    QCOMPARE(maintabs->tabText(1), QStringLiteral("Preview"));
    QCOMPARE(window.statusBar()->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^Panel\\d$"))).size(), 6);
    QVERIFY(host.asked().isEmpty());
}

void tst_frmMainWin::menuTree()
{
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    QStringList lines;
    for (const QAction *top : window.menuBar()->actions()) {
        lines << top->text();
        lines << describe(top->menu(), top->text());
    }
    const QStringList expected = {
        "File", "File/New [Ctrl+N]", "File/Open [Ctrl+O]", "File/-", "File/Save [Ctrl+S]", "File/Save As...", "File/-", "File/Exit",
        "Edit", "Edit/Undo [Ctrl+Z]", "Edit/Redo [Ctrl+Y]", "Edit/-", "Edit/Cut [Ctrl+X] (disabled)",
        "Edit/Copy [Ctrl+C] (disabled)", "Edit/Paste [Ctrl+P]", "Edit/-", "Edit/Clear [Alt+Backspace]",
        "Edit/Select All [Ctrl+A]", "Edit/-", "Edit/Find and Replace [Ctrl+F]", "Edit/Go to Line... [Ctrl+G]", "Edit/-",
        "Edit/Preview in New Window [F11]", "Edit/Live Preview (checked)", "Edit/Line Numbers (unchecked)",
        "Edit/Editing Aids", "Edit/Editing Aids/Box Paired Tags (checked)",
        "Edit/Editing Aids/Close Tags While Typing (checked)", "Edit/Editing Aids/Rename Paired Tags Together (checked)",
        "Edit/Editing Aids/Offer Completions (checked)",
        "Edit/Editing Aids/Outline the Caret's Element in the Previews (checked)",
        "Edit/Editing Aids/Ctrl+Click in a Preview Finds the Source (checked)",
        "Edit/Editing Aids/Scroll the Preview Window with the Editor (checked)",
        "Edit/Editing Aids/Scroll the Editor with the Preview Window (unchecked)", "Edit/Editing Aids/-", "Edit/Editing Aids/Jump to Paired Tag [Ctrl+M]",
        "Edit/Editing Aids/Complete [Ctrl+Space]",
        "Insert", "Insert/&Line Break...", "Insert/Hori&zontal Line", "Insert/-", "Insert/I&mage...", "Insert/-",
        "Insert/Active &Elements", "Insert/Active &Elements/Marquee...", "Insert/Active &Elements/Video...",
        "Insert/F&orm Field", "Insert/F&orm Field/One-Line Text Box", "Insert/F&orm Field/Scrolling Text Box",
        "Insert/F&orm Field/Check Box", "Insert/F&orm Field/Radio Button", "Insert/F&orm Field/Drop-Down Menu",
        "Insert/F&orm Field/Push Button", "Insert/Ad&vanced", "Insert/Ad&vanced/Plug-In...", "Insert/Ad&vanced/Script...",
        "Insert/-", "Insert/H&yperLink...", "Insert/-", "Insert/&Frames", "Insert/&Table", "Insert/-",
        "Insert/Get &Hex Color Code", "Insert/-", "Insert/&Bookmark", "Help", "Help/About",
    };
    QCOMPARE(lines, expected);
    for (const char *name : {"mnuNew", "mnuSaveAs", "mnuExit", "mnuPaste", "mnuFind", "mnuPreview", "mnuMarquee",
                               "mnuPushButton", "mnuScript", "frmmnu", "mnutbins", "mnuhxcol", "mnuBookmark", "mnuAbout"})
        QVERIFY2(window.action(name), qPrintable(name));
}

void tst_frmMainWin::toolbarGroupsAndTips()
{
    ScriptedHost host;
    frmMainWin window(host);
    auto *toolbar = window.findChild<QToolBar *>(QStringLiteral("Toolbar1"));
    QStringList layout;
    for (QAction *item : toolbar->actions()) {
        if (item->isSeparator()) {
            layout << QStringLiteral("|");
        } else {
            auto *button = qobject_cast<QToolButton *>(toolbar->widgetForAction(item));
            QVERIFY(!button->icon().isNull());
            QVERIFY(button->text().isEmpty() || button->toolButtonStyle() == Qt::ToolButtonIconOnly);
            layout << button->objectName() + u'=' + button->toolTip();
        }
    }
    QCOMPARE(layout, QStringList({"New=New", "Open=Open", "Save=Save", "|", "Cut=Cut", "Copy=Copy", "Paste=Paste", "Find=Find", "|",
                                  "Undo=Undo", "Redo=Redo", "|", "Preview=Preview in New Window"}));
}

void tst_frmMainWin::toolbarDispatchByKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("command");
    const char *pairs[][2] = {{"New", "mnuNew"},   {"Open", "mnuOpen"}, {"Save", "mnuSave"}, {"Cut", "mnuCut"},
                              {"Copy", "mnuCopy"}, {"Paste", "mnuPaste"}, {"Undo", "mnuUndo"},
                              {"Redo", "mnuRedo"}, {"Preview", "mnuPreview"}};
    for (const auto &pair : pairs)
        QTest::newRow(pair[0]) << QString::fromLatin1(pair[0]) << QString::fromLatin1(pair[1]);
    // The Find button opens the dialog itself, even while the menu command is disabled.
    QTest::newRow("Find") << QStringLiteral("Find") << QStringLiteral("frmFind");
    QTest::newRow("unknown key") << QStringLiteral("Gallery") << QString();
    QTest::newRow("case differs") << QStringLiteral("new") << QString();
}

void tst_frmMainWin::toolbarDispatchByKey()
{
    QFETCH(QString, key);
    QFETCH(QString, command);
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    // Observe every command without running it.
    QStringList triggered;
    const QList<QAction *> actions = window.findChildren<QAction *>();
    for (QAction *item : actions) {
        item->setEnabled(true);
        item->disconnect(SIGNAL(triggered(bool)));
        connect(item, &QAction::triggered, &window, [&triggered, item] { triggered << item->objectName(); });
    }
    window.action(QStringLiteral("mnuFind"))->setEnabled(false);
    window.Toolbar1_ButtonClick(key);
    if (command == QLatin1String("frmFind")) {
        QVERIFY(triggered.isEmpty());
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto find = std::find_if(windows.cbegin(), windows.cend(), [](const QWidget *w) { return w->objectName() == QLatin1String("frmFind"); });
        QVERIFY(find != windows.cend());
        QVERIFY((*find)->isVisible());
        (*find)->close();
        return;
    }
    QCOMPARE(triggered, command.isEmpty() ? QStringList() : QStringList{command});
}

void tst_frmMainWin::closeRequest_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("savePath"); // answer of the save dialog; "cancel" cancels it
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("ends");

    const QString unsaved = QStringLiteral("Save file before exit?");
    const QString reallyExit = QStringLiteral("Really want to exit ?");
    QTest::newRow("unsaved, Cancel keeps the window") << false << QList<int>{HostServices::Cancel} << QString() << unsaved << false;
    QTest::newRow("unsaved, No ends without saving") << false << QList<int>{HostServices::No} << QString() << unsaved << true;
    QTest::newRow("unsaved, Yes saves then ends") << false << QList<int>{HostServices::Yes} << QStringLiteral("page.htm") << unsaved << true;
    QTest::newRow("unsaved, Yes but the save is cancelled") << false << QList<int>{HostServices::Yes} << QStringLiteral("cancel")
                                                           << unsaved << false;
    QTest::newRow("unsaved, Yes but the save fails") << false << QList<int>{HostServices::Yes, HostServices::Cancel}
                                                    << QStringLiteral("missing-folder/page.htm") << unsaved << false;
    QTest::newRow("saved, Yes ends") << true << QList<int>{HostServices::Yes} << QString() << reallyExit << true;
    QTest::newRow("saved, No keeps the window") << true << QList<int>{HostServices::No} << QString() << reallyExit << false;
}

void tst_frmMainWin::closeRequest()
{
    QFETCH(bool, saved);
    QFETCH(QList<int>, answers);
    QFETCH(QString, savePath);
    QFETCH(QString, question);
    QFETCH(bool, ends);

    QTemporaryDir dir;
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    if (saved) {
        host.answerFileDialog(dir.filePath(QStringLiteral("first.htm")));
        window.action(QStringLiteral("mnuSave"))->trigger();
        QVERIFY(!window.action(QStringLiteral("mnuSave"))->isEnabled());
    }
    const qsizetype askedBefore = host.asked().size();
    for (const int answer : answers)
        host.answerMsgBox(answer);
    if (savePath == QLatin1String("cancel"))
        host.answerFileDialog(std::nullopt);
    else if (!savePath.isEmpty())
        host.answerFileDialog(dir.filePath(savePath));

    window.show();
    window.action(QStringLiteral("mnuExit"))->trigger();

    QVERIFY(host.allAnswered());
    const ScriptedHost::Question &asked = host.asked().at(askedBefore);
    QCOMPARE(asked.text, question);
    QCOMPARE(asked.title, QStringLiteral("Prompt"));
    QCOMPARE(asked.style, (saved ? 52 : 51));
    QCOMPARE(host.processEnded(), ends);
    QCOMPARE(window.isVisible(), !ends);
    if (!ends) {
        // Nothing is lost: the document and its flag are as they were.
        QCOMPARE(window.r1().Text(), templateText);
        QCOMPARE(window.action(QStringLiteral("mnuSave"))->isEnabled(), !saved);
    }
    if (savePath == QLatin1String("page.htm")) {
        QFile written(dir.filePath(savePath));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), templateText.toUtf8());
    }
}

void tst_frmMainWin::closeDeletesOnlyThePreviewWindowFile()
{
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    const QString folder = host.tempFolder();
    for (const QString &name : {QStringLiteral("Temp.html"), QStringLiteral("qprev.html")}) {
        QFile file(folder + u'/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    host.answerMsgBox(HostServices::No);
    QVERIFY(window.close());
    QVERIFY(host.processEnded());
    QVERIFY(!QFile::exists(folder + QStringLiteral("/Temp.html")));
    QVERIFY(QFile::exists(folder + QStringLiteral("/qprev.html")));
}

void tst_frmMainWin::newDocumentKeepsCombosFilledOnce()
{
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    auto *colours = window.findChild<QComboBox *>(QStringLiteral("ColorCombo"));
    colours->setCurrentIndex(4);
    window.r1().setText(QStringLiteral("changed"));
    window.setWindowTitle(QStringLiteral("elsewhere"));
    window.ResetDocument();
    QCOMPARE(colours->count(), 16);
    QCOMPARE(colours->currentIndex(), 0);
    QCOMPARE(window.r1().Text(), templateText);
    QCOMPARE(window.windowTitle(), QStringLiteral("Zorvane v1.0 - [Untitled]"));
    QVERIFY(!window.files().SavedBefore);
}

void tst_frmMainWin::minimumSize()
{
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    window.show();
    window.resize(100, 100);
    QCOMPARE(window.size(), QSize(392, 367));
    window.resize(1000, 700);
    QCOMPARE(window.size(), QSize(1000, 700));
}

void tst_frmMainWin::menuShortcutsWinOverTheEditor_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("command");
    QTest::newRow("Ctrl+P pastes through the menu") << QKeySequence(Qt::CTRL | Qt::Key_P) << QStringLiteral("mnuPaste");
    QTest::newRow("Ctrl+Z") << QKeySequence(Qt::CTRL | Qt::Key_Z) << QStringLiteral("mnuUndo");
    QTest::newRow("Ctrl+Y") << QKeySequence(Qt::CTRL | Qt::Key_Y) << QStringLiteral("mnuRedo");
    QTest::newRow("Ctrl+A") << QKeySequence(Qt::CTRL | Qt::Key_A) << QStringLiteral("mnuSelectAll");
    QTest::newRow("Alt+Backspace") << QKeySequence(Qt::ALT | Qt::Key_Backspace) << QStringLiteral("mnuClear");
    QTest::newRow("F11") << QKeySequence(Qt::Key_F11) << QStringLiteral("mnuPreview");
    QTest::newRow("Ctrl+F") << QKeySequence(Qt::CTRL | Qt::Key_F) << QStringLiteral("mnuFind");
}

void tst_frmMainWin::menuShortcutsWinOverTheEditor()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, command);
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.r1().widget()->setFocus();
    QTRY_VERIFY(window.r1().widget()->hasFocus());
    QAction *item = window.action(command);
    item->disconnect(SIGNAL(triggered(bool)));
    QSignalSpy triggered(item, &QAction::triggered);
    const QString before = window.r1().Text();
    QTest::keySequence(window.r1().widget(), keys);
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(window.r1().Text(), before);
}

void tst_frmMainWin::controlsAreNamedForAssistiveTools()
{
    ScriptedHost host;
    frmMainWin window(host);
    window.Form_Load();
    QCOMPARE(window.r1().widget()->accessibleName(), QStringLiteral("Editor"));
    const QList<QWidget *> widgets = window.findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        const bool interactive = widget->focusPolicy() != Qt::NoFocus && widget->isVisibleTo(&window)
            && !widget->inherits("QScrollBar") && !widget->inherits("QTabBar") && !widget->inherits("QMenu")
            && widget->parentWidget() && !widget->parentWidget()->inherits("QComboBox") && !widget->inherits("QLineEdit")
            && !widget->objectName().startsWith(QLatin1String("qt_"));
        if (interactive)
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->metaObject()->className() + QStringLiteral(" ") + widget->objectName()));
    }
}

void tst_frmMainWin::previewTabRefreshesOncePerSwitch_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("mouse") << QStringLiteral("mouse");
    QTest::newRow("Ctrl+Tab") << QStringLiteral("ctrl-tab");
    QTest::newRow("arrow key on the tab bar") << QStringLiteral("arrow");
    QTest::newRow("assistive tool's press") << QStringLiteral("accessible");
}

void tst_frmMainWin::previewTabRefreshesOncePerSwitch()
{
    QFETCH(QString, how);
    PreviewCountingHost host;
    frmMainWin window(host);
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *tabBar = window.findChild<QTabWidget *>(QStringLiteral("maintabs"))->tabBar();
    window.r1().setText(QStringLiteral("<p>fresh</p>"));
    // The tab bar has the focus, so no loss of the editor's focus refreshes the preview.
    tabBar->setFocus();
    QTRY_VERIFY(tabBar->hasFocus());
    host.previewWrites = 0;

    if (how == QLatin1String("mouse")) {
        QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(1).center());
    } else if (how == QLatin1String("ctrl-tab")) {
        QTest::keyClick(tabBar, Qt::Key_Tab, Qt::ControlModifier);
    } else if (how == QLatin1String("arrow")) {
        QTest::keyClick(tabBar, Qt::Key_Right);
    } else {
        QAccessibleInterface *tab = QAccessible::queryAccessibleInterface(tabBar)->child(1);
        QVERIFY(tab && tab->actionInterface());
        tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QCOMPARE(tabBar->currentIndex(), 1);
    QCOMPARE(host.previewWrites, 1);
    QFile page(host.tempFolder() + QStringLiteral("/qprev.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    // Less the source offsets the preview's copy carries in its start tags.
    QCOMPARE(QString::fromUtf8(page.readAll()).remove(QRegularExpression(QStringLiteral(" data-zv-src=\"[0-9]+\""))),
             QStringLiteral("<p>fresh</p>"));
    // Clicking the tab already shown switches nothing.
    QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(1).center());
    QCOMPARE(host.previewWrites, 1);
}

void tst_frmMainWin::confirmedExitRunsNoFurtherHandler()
{
    PreviewCountingHost host;
    frmMainWin window(host);
    window.Form_Load();
    window.action(QStringLiteral("mnuFind"))->trigger();
    QWidget *find = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("frmFind") && top->isVisible())
            find = top;
    }
    QVERIFY(find);
    host.previewWrites = 0;

    host.answerMsgBox(HostServices::No);
    QVERIFY(window.close());
    QVERIFY(host.processEnded());
    // Closing the find dialog with everything else wrote no preview and started no browser.
    QCOMPARE(host.previewWrites, 0);
    QVERIFY(!QFile::exists(host.tempFolder() + QStringLiteral("/qprev.html")));
    QVERIFY(window.findChildren<PreviewView *>().isEmpty());
}

ZORVANE_TEST(tst_frmMainWin)
#include "tst_frmMainWin.moc"
