// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "files/BrowsePane.h"
#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTabBar>
#include <QTabWidget>

#include <csignal>
#include <optional>
#include <unistd.h>

// Whether the editor gets the keys back from other windows can only be seen with real windows:
// an X server, a window manager that decides which window is active, and keys typed through the
// server. tst_WindowFocus starts a virtual X server and runs tst_WindowFocusUnderX on it, which
// starts the window manager and drives the program.

namespace {

// How long a window manager on a busy machine may take to activate a window or deliver a key.
constexpr int patience = 20000;

bool onX()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

QString tool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

// Runs a program of the X tools to its end, within a few seconds; its output, or nothing.
std::optional<QByteArray> runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

// Types keys as a keyboard does: the server gives them to the window that has the focus.
bool typeKeys(const QString &keys)
{
    return runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30"), keys})
        .has_value();
}

// The client windows the window manager stacks, bottom first.
QList<WId> stackingOrder()
{
    const std::optional<QByteArray> list =
        runTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<WId> order;
    if (!list)
        return order;
    for (const QByteArray &id : list->mid(list->indexOf('#') + 1).split(',')) {
        bool ok = false;
        const WId window = id.trimmed().toULongLong(&ok, 16);
        if (ok)
            order << window;
    }
    return order;
}

// Whether the window manager shows upper in front of lower, as the owned window of it.
bool inFrontOf(QWidget *upper, QWidget *lower)
{
    const QList<WId> order = stackingOrder();
    const qsizetype above = order.indexOf(upper->winId());
    const qsizetype below = order.indexOf(lower->winId());
    const std::optional<QByteArray> owner =
        runTool(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(upper->winId()), QStringLiteral("WM_TRANSIENT_FOR")});
    const bool owned = owner && owner->contains(QByteArray("0x") + QByteArray::number(static_cast<qulonglong>(lower->winId()), 16));
    if (above >= 0 && below >= 0 && above > below && owned)
        return true;
    qInfo("stacking %lld over %lld, owner %s", static_cast<long long>(above), static_cast<long long>(below),
          owner ? owner->trimmed().constData() : "?");
    return false;
}

// Clicks a button as a user does, through the server, so the click carries the time of a
// user's action as the window manager weighs it.
bool clickThroughServer(QWidget *button)
{
    const QPoint centre = button->mapToGlobal(button->rect().center());
    return runTool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(centre.x()),
                                               QString::number(centre.y()), QStringLiteral("click"), QStringLiteral("1")})
        .has_value();
}

QWidget *visibleWindow(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible())
            return window;
    }
    return nullptr;
}

// Asks its questions in a real message box, which takes the focus until it is answered, and
// answers them from the script.
class QuestionBoxHost : public ScriptedHost
{
public:
    int MsgBox(const QString &text, int style, const QString &title) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setText(text);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        // Closed once the window manager has made it the active window, or when patience runs out.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &box, [&box] {
            if (box.isActiveWindow())
                box.done(QMessageBox::No);
        });
        poll.start(50);
        QTimer::singleShot(patience, &box, [&box] { box.done(QMessageBox::Cancel); });
        m_boxWasActive = box.exec() == QMessageBox::No;
        return ScriptedHost::MsgBox(text, style, title);
    }

    bool boxWasActive() const { return m_boxWasActive; }

private:
    bool m_boxWasActive = false;
};

} // namespace

class tst_WindowFocus : public QObject
{
    Q_OBJECT

private slots:
    void underAWindowManager();
};

void tst_WindowFocus::underAWindowManager()
{
    if (onX())
        QSKIP("on a display already: run tst_WindowFocusUnderX");
    for (const QString &program : {QStringLiteral("xvfb-run"), QStringLiteral("Xvfb"), QStringLiteral("openbox"),
                                   QStringLiteral("xdotool"), QStringLiteral("xprop")})
        QVERIFY2(!tool(program).isEmpty(), qPrintable(program + QStringLiteral(" is missing: scripts/deps lists it")));

    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    run.setProcessEnvironment(environment);
    // A group of its own, so that a run that hangs goes with its server and window manager.
    run.setChildProcessModifier([] { ::setsid(); });
    run.start(tool(QStringLiteral("xvfb-run")),
              {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x800x24"),
               QCoreApplication::applicationFilePath(), QStringLiteral("--unit"), QStringLiteral("tst_WindowFocusUnderX")});
    QVERIFY(run.waitForStarted());
    const bool finished = run.waitForFinished(240000);
    if (!finished) {
        ::kill(-static_cast<pid_t>(run.processId()), SIGKILL);
        run.waitForFinished();
    }
    const QByteArray output = run.readAll();
    const bool passed = finished && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
    // The run really checked something: it passed its tests and skipped none.
    if (!passed || !output.contains("Totals:") || output.contains("SKIP")) {
        for (const QByteArray &line : output.split('\n')) {
            if (line.startsWith("PASS") || line.startsWith("FAIL") || line.startsWith("SKIP") || line.startsWith("   ") ||
                line.startsWith("Totals"))
                qInfo("%s", line.constData());
        }
        QFAIL(finished ? "the run under the window manager failed" : "the run under the window manager timed out");
    }
}

class tst_WindowFocusUnderX : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void insertFromToolWindow_data();
    void insertFromToolWindow();
    void searchGivesTheEditorTheKeys_data();
    void searchGivesTheEditorTheKeys();
    void browsePaneQuestionLeavesTheKeysToTheEditor();
    void previewWindowStaysInFront();
    void firstPreviewLeavesTheWindowAlone();

private:
    static bool windowManagerRuns();

    QProcess m_windowManager;
};

bool tst_WindowFocusUnderX::windowManagerRuns()
{
    const std::optional<QByteArray> check =
        runTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    return check && check->contains("window id");
}

void tst_WindowFocusUnderX::initTestCase()
{
    if (!onX())
        QSKIP("needs an X display: tst_WindowFocus runs this on a virtual one");
    QVERIFY2(!windowManagerRuns(), "another window manager runs on this display");
    m_windowManager.start(tool(QStringLiteral("openbox")), {QStringLiteral("--sm-disable")});
    QVERIFY(m_windowManager.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(windowManagerRuns(), 15000);
}

void tst_WindowFocusUnderX::cleanupTestCase()
{
    if (m_windowManager.state() == QProcess::NotRunning)
        return;
    m_windowManager.terminate();
    if (!m_windowManager.waitForFinished(5000)) {
        m_windowManager.kill();
        m_windowManager.waitForFinished();
    }
}

void tst_WindowFocusUnderX::insertFromToolWindow_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("frameset Add Code") << QStringLiteral("frmmnu") << QStringLiteral("frmFrames") << QStringLiteral("frmd1") << true;
    QTest::newRow("table Generate") << QStringLiteral("mnutbins") << QStringLiteral("frmTable") << QStringLiteral("tbgenbtn") << false;
    QTest::newRow("colour code") << QStringLiteral("mnuhxcol") << QStringLiteral("frmColCode") << QStringLiteral("addcolbtn")
                                 << false;
}

void tst_WindowFocusUnderX::insertFromToolWindow()
{
    QFETCH(QString, command);
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(bool, staysOpen);

    ScriptedHost host;
    frmMainWin main(host);
    main.Form_Load();
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main, patience));
    EditorControl &r1 = main.r1();
    r1.setSelStart(static_cast<int>(r1.Text().indexOf(QStringLiteral("</BODY>"))));

    main.action(command)->trigger();
    const QPointer<QWidget> toolWindow = visibleWindow(window);
    QVERIFY(toolWindow);
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == toolWindow, patience);

    const QString before = r1.Text();
    // Clicked as a user clicks: the window manager weighs the activation that follows against
    // the time of the user's last action, which a click made inside the program does not set.
    auto *addButton = toolWindow->findChild<QPushButton *>(button);
    QSignalSpy clicked(addButton, &QPushButton::clicked);
    QVERIFY(clickThroughServer(addButton));
    QTRY_COMPARE_WITH_TIMEOUT(clicked.count(), 1, patience);
    QVERIFY(r1.Text() != before);
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &main, patience);
    QTRY_VERIFY_WITH_TIMEOUT(r1.widget()->hasFocus(), patience);
    // The frameset templates stay open in front of the main window, for the next insert.
    if (staysOpen) {
        QVERIFY(toolWindow && toolWindow->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(inFrontOf(toolWindow, &main), patience);
    }

    // The next key typed lands in the document, at the caret.
    const int caret = r1.SelStart();
    const QString inserted = r1.Text();
    QVERIFY(typeKeys(QStringLiteral("z")));
    QTRY_COMPARE_WITH_TIMEOUT(r1.Text(), QString(inserted).insert(caret, u'z'), patience);
    if (toolWindow)
        toolWindow->close();
}

void tst_WindowFocusUnderX::searchGivesTheEditorTheKeys_data()
{
    QTest::addColumn<QStringList>("clicks"); // buttons of the find dialog; "-" brings it forward
    QTest::addColumn<QString>("typed");      // what typing "z" over the found text gives
    QTest::newRow("Find") << QStringList{"cmdFind"} << QStringLiteral("a z and a cat");
    QTest::newRow("Find Next") << QStringList{"cmdFind", "-", "cmdFind"} << QStringLiteral("a cat and a z");
    QTest::newRow("Replace") << QStringList{"cmdReplace", "cmdFind", "-", "cmdReplace"} << QStringLiteral("a dog and a z");
}

void tst_WindowFocusUnderX::searchGivesTheEditorTheKeys()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, typed);

    ScriptedHost host;
    frmMainWin main(host);
    main.Form_Load();
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main, patience));
    EditorControl &r1 = main.r1();
    r1.setText(QStringLiteral("a cat and a cat"));

    main.action(QStringLiteral("mnuFind"))->trigger();
    QWidget *dialog = visibleWindow(QStringLiteral("frmFind"));
    QVERIFY(dialog);
    dialog->findChild<QComboBox *>(QStringLiteral("cboFind"))->setEditText(QStringLiteral("cat"));
    dialog->findChild<QComboBox *>(QStringLiteral("cboReplace"))->setEditText(QStringLiteral("dog"));
    for (const QString &click : clicks) {
        if (click == QLatin1String("-")) {
            dialog->activateWindow();
            continue;
        }
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == dialog, patience);
        auto *button = dialog->findChild<QPushButton *>(click);
        QSignalSpy clicked(button, &QPushButton::clicked);
        QVERIFY(clickThroughServer(button));
        QTRY_COMPARE_WITH_TIMEOUT(clicked.count(), 1, patience);
    }
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &main, patience);
    QTRY_VERIFY_WITH_TIMEOUT(r1.widget()->hasFocus(), patience);
    // The dialog stays visible in front, ready for the next search.
    QVERIFY(dialog->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(inFrontOf(dialog, &main), patience);
    QVERIFY(typeKeys(QStringLiteral("z")));
    QTRY_COMPARE_WITH_TIMEOUT(r1.Text(), typed, patience);
    dialog->close();
}

void tst_WindowFocusUnderX::browsePaneQuestionLeavesTheKeysToTheEditor()
{
    const auto content = [](const QString &name) { return QStringLiteral("<p>%1</p>\r\n<p>second line</p>").arg(name); };
    QTemporaryDir folder;
    for (const QString &name : {QStringLiteral("a.htm"), QStringLiteral("b.htm")}) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content(name).toUtf8());
    }
    QuestionBoxHost host;
    frmMainWin main(host);
    main.Form_Load();
    auto *pane = main.findChild<BrowsePane *>();
    QVERIFY(pane->setDirPath(folder.path()));
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main, patience));
    QListWidget *file1 = pane->File1();
    file1->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY_WITH_TIMEOUT(file1->hasFocus(), patience);

    // The untouched template counts as unsaved: the arrow key that picks a file asks first.
    const int picked = file1->currentRow() + 1;
    const QString loaded = content(file1->item(picked)->text());
    host.answerMsgBox(HostServices::No);
    QVERIFY(typeKeys(QStringLiteral("Down")));
    QTRY_COMPARE_WITH_TIMEOUT(main.r1().Text(), loaded, patience);
    QVERIFY(host.boxWasActive());
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &main, patience);
    QTRY_VERIFY_WITH_TIMEOUT(main.r1().widget()->hasFocus(), patience);

    // The next arrow key moves the caret, and loads nothing.
    main.r1().setSelStart(0);
    QVERIFY(typeKeys(QStringLiteral("Down")));
    QTRY_COMPARE_WITH_TIMEOUT(main.r1().SelStart(), 14, patience);
    QCOMPARE(main.r1().Text(), loaded);
    QCOMPARE(file1->currentRow(), picked);
    QVERIFY(host.allAnswered());
}

void tst_WindowFocusUnderX::previewWindowStaysInFront()
{
    ScriptedHost host;
    frmMainWin main(host);
    main.Form_Load();
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main, patience));
    // The Preview tab's browser first, as a user who looked at it before.
    main.RefreshQuickPreview();
    main.action(QStringLiteral("mnuPreview"))->trigger();
    QWidget *preview = visibleWindow(QStringLiteral("Form2"));
    QVERIFY(preview);
    QVERIFY(QTest::qWaitForWindowActive(preview, patience));
    // The user goes back to the editor: the preview window stays in front of the main window.
    QVERIFY(main.r1().SetFocus());
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &main, patience);
    QTRY_VERIFY_WITH_TIMEOUT(inFrontOf(preview, &main), patience);
    preview->close();
}

// The first browser view in the main window, which makes the toolkit create the window's native
// window anew, neither moves the window nor leaves the tool window it owns without its owner, and
// the clicks around it are not lost: the click on the Preview tab shows the view, the next click
// in the tag tree inserts its tag.
void tst_WindowFocusUnderX::firstPreviewLeavesTheWindowAlone()
{
    ScriptedHost host;
    frmMainWin main(host);
    main.Form_Load();
    main.BuildTagTree();
    main.move(120, 90);
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main, patience));
    const QPoint place = main.pos();
    main.action(QStringLiteral("frmmnu"))->trigger();
    const QPointer<QWidget> toolWindow = visibleWindow(QStringLiteral("frmFrames"));
    QVERIFY(toolWindow);
    QTRY_VERIFY_WITH_TIMEOUT(inFrontOf(toolWindow, &main), patience);

    auto *documentTabs = main.findChild<QTabWidget *>(QStringLiteral("maintabs"));
    QVERIFY(documentTabs);
    QTabBar *tabBar = documentTabs->tabBar();
    const int previewTab = documentTabs->count() - 1;
    const QPoint tabCentre = tabBar->mapToGlobal(tabBar->tabRect(previewTab).center());
    QVERIFY(runTool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(tabCentre.x()),
                                                QString::number(tabCentre.y()), QStringLiteral("click"), QStringLiteral("1")}));
    QTRY_VERIFY_WITH_TIMEOUT(main.findChild<QWidget *>(QStringLiteral("qprevbr")), patience);
    QCOMPARE(documentTabs->currentIndex(), previewTab);
    QTRY_COMPARE_WITH_TIMEOUT(main.pos(), place, patience);
    QTRY_VERIFY_WITH_TIMEOUT(inFrontOf(toolWindow, &main), patience);

    auto *tree = main.findChild<QTreeWidget *>(QStringLiteral("tv1"));
    auto *leftPane = main.findChild<QTabWidget *>(QStringLiteral("lftpanetb"));
    leftPane->setCurrentWidget(tree);
    main.r1().setSelStart(0);
    QTreeWidgetItem *first = tree->topLevelItem(0);
    const QPoint centre = tree->viewport()->mapToGlobal(tree->visualItemRect(first).center());
    QVERIFY(runTool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
                                                QStringLiteral("click"), QStringLiteral("1")}));
    QTRY_VERIFY_WITH_TIMEOUT(main.r1().Text().startsWith(first->text(0)), patience);
    toolWindow->close();
}

ZORVANE_TEST(tst_WindowFocus)
ZORVANE_TEST(tst_WindowFocusUnderX)
#include "tst_WindowFocus.moc"
