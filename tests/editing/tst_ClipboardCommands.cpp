// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "editing/ChangeTracker.h"
#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

// The main window with an untitled document whose text the test sets.
class tst_ClipboardCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cutWithNothingSelected();
    void cutSelection();
    void writesThatChangeNothingAreChanges_data();
    void writesThatChangeNothingAreChanges();
    void copyLeavesDocumentAndState();
    void paste_data();
    void paste();
    void clear_data();
    void clear();
    void selectAllKeepsCutCopyState();
    void keyReleaseFollowsSelection();
    void mouseReleaseFollowsSelection();
    void ctrlPRunsPaste();
    void richTextClipboardKeys_data();
    void richTextClipboardKeys();

private:
    void setDocument(const QString &text, int selStart, int selLength);
    void trigger(const char *command);
    QString cutCopyState() const;
    void setCutCopy(bool enabled);
    EditorControl &r1() const { return m_window->r1(); }

    std::unique_ptr<ScriptedHost> m_host;
    std::unique_ptr<frmMainWin> m_window;
};

void tst_ClipboardCommands::init()
{
    m_host = std::make_unique<ScriptedHost>();
    m_window = std::make_unique<frmMainWin>(*m_host);
    m_window->Form_Load();
}

void tst_ClipboardCommands::cleanup()
{
    m_window.reset();
    m_host.reset();
}

void tst_ClipboardCommands::setDocument(const QString &text, int selStart, int selLength)
{
    r1().setText(text);
    r1().setSelStart(selStart);
    r1().setSelLength(selLength);
}

void tst_ClipboardCommands::trigger(const char *command)
{
    m_window->action(QString::fromLatin1(command))->trigger();
}

QString tst_ClipboardCommands::cutCopyState() const
{
    // The menu items and the toolbar buttons, which follow their commands.
    const QList<bool> states = {m_window->action(QStringLiteral("mnuCut"))->isEnabled(),
                                m_window->action(QStringLiteral("mnuCopy"))->isEnabled(),
                                m_window->toolbarButton(QStringLiteral("Cut"))->isEnabled(),
                                m_window->toolbarButton(QStringLiteral("Copy"))->isEnabled()};
    if (states == QList<bool>(4, true))
        return QStringLiteral("on");
    if (states == QList<bool>(4, false))
        return QStringLiteral("off");
    return QStringLiteral("mixed");
}

void tst_ClipboardCommands::setCutCopy(bool enabled)
{
    m_window->action(QStringLiteral("mnuCut"))->setEnabled(enabled);
    m_window->action(QStringLiteral("mnuCopy"))->setEnabled(enabled);
}

void tst_ClipboardCommands::cutWithNothingSelected()
{
    setDocument(QStringLiteral("<p>text</p>"), 3, 0);
    m_host->setClipboardText(QStringLiteral("old"));
    setCutCopy(true);
    const int states = m_window->changes().UndoIndex();
    trigger("mnuCut");
    QCOMPARE(m_host->clipboard(), QString());
    QCOMPARE(r1().Text(), QStringLiteral("<p>text</p>"));
    // Writing the empty selection is a change all the same.
    QCOMPARE(m_window->changes().UndoIndex(), states + 1);
    QCOMPARE(cutCopyState(), QStringLiteral("off"));
}

void tst_ClipboardCommands::writesThatChangeNothingAreChanges_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("clipboard");

    // The document is "abc"; nothing is selected.
    QTest::newRow("cut with nothing selected") << QStringLiteral("mnuCut") << 1 << QStringLiteral("kept");
    QTest::newRow("clear at the end") << QStringLiteral("mnuClear") << 3 << QStringLiteral("kept");
    QTest::newRow("paste from an empty clipboard") << QStringLiteral("mnuPaste") << 1 << QString();
}

void tst_ClipboardCommands::writesThatChangeNothingAreChanges()
{
    QFETCH(QString, command);
    QFETCH(int, caret);
    QFETCH(QString, clipboard);

    setDocument(QStringLiteral("abc"), caret, 0);
    m_host->setClipboardText(clipboard);
    setCutCopy(true);
    QAction *save = m_window->action(QStringLiteral("mnuSave"));
    save->setEnabled(false);
    const int states = m_window->changes().UndoIndex();
    QSignalSpy changes(&r1(), &EditorControl::Change);
    trigger(command.toLatin1().constData());
    QCOMPARE(changes.count(), 1);
    QCOMPARE(r1().Text(), QStringLiteral("abc"));
    QCOMPARE(m_window->changes().UndoIndex(), states + 1);
    QVERIFY(save->isEnabled());

    // The state it recorded is undone like any other: back to the state before, Save on.
    save->setEnabled(false);
    trigger("mnuUndo");
    QCOMPARE(m_window->changes().UndoIndex(), states);
    QCOMPARE(r1().Text(), QStringLiteral("abc"));
    QVERIFY(save->isEnabled());
}

void tst_ClipboardCommands::cutSelection()
{
    setDocument(QStringLiteral("<p>text</p>"), 3, 4);
    setCutCopy(true);
    m_window->action(QStringLiteral("mnuSave"))->setEnabled(false);
    trigger("mnuCut");
    QCOMPARE(m_host->clipboard(), QStringLiteral("text"));
    QCOMPARE(r1().Text(), QStringLiteral("<p></p>"));
    QCOMPARE(r1().SelStart(), 3);
    QCOMPARE(cutCopyState(), QStringLiteral("off"));
    QVERIFY(m_window->action(QStringLiteral("mnuSave"))->isEnabled());
}

void tst_ClipboardCommands::copyLeavesDocumentAndState()
{
    setDocument(QStringLiteral("line one\r\nline two"), 5, 9);
    setCutCopy(true);
    m_window->action(QStringLiteral("mnuSave"))->setEnabled(false);
    trigger("mnuCopy");
    QCOMPARE(m_host->clipboard(), QStringLiteral("one\r\nline"));
    QCOMPARE(r1().Text(), QStringLiteral("line one\r\nline two"));
    QCOMPARE(cutCopyState(), QStringLiteral("on"));
    QVERIFY(!m_window->action(QStringLiteral("mnuSave"))->isEnabled());
}

void tst_ClipboardCommands::paste_data()
{
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");

    // The document is "ab|cd" with the caret, or a selection of selLength, at offset 2.
    QTest::newRow("at the caret") << 0 << QStringLiteral("<br>") << QStringLiteral("ab<br>cd") << 6;
    QTest::newRow("over the selection") << 1 << QStringLiteral("X") << QStringLiteral("abXd") << 3;
    QTest::newRow("several lines, CR LF") << 0 << QStringLiteral("1\r\n2\r\n") << QStringLiteral("ab1\r\n2\r\ncd") << 8;
    QTest::newRow("several lines, LF becomes CR LF") << 0 << QStringLiteral("1\n2\n\n3") << QStringLiteral("ab1\r\n2\r\n\r\n3cd") << 11;
    QTest::newRow("several lines, CR becomes CR LF") << 0 << QStringLiteral("1\r2") << QStringLiteral("ab1\r\n2cd") << 6;
    QTest::newRow("empty clipboard deletes the selection") << 2 << QString() << QStringLiteral("ab") << 2;
    QTest::newRow("empty clipboard, nothing selected") << 0 << QString() << QStringLiteral("abcd") << 2;
}

void tst_ClipboardCommands::paste()
{
    QFETCH(int, selLength);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    QFETCH(int, caret);

    setDocument(QStringLiteral("abcd"), 2, selLength);
    m_host->setClipboardText(clipboard);
    trigger("mnuPaste");
    QCOMPARE(r1().Text(), expected);
    QCOMPARE(r1().SelStart(), caret);
    QCOMPARE(r1().SelLength(), 0);
    QCOMPARE(m_host->clipboard(), clipboard);
    QCOMPARE(cutCopyState(), QStringLiteral("off"));
}

void tst_ClipboardCommands::clear_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");

    QTest::newRow("selection") << QStringLiteral("<b>bold</b>") << 3 << 4 << QStringLiteral("<b></b>");
    QTest::newRow("character after the caret") << QStringLiteral("abc") << 1 << 0 << QStringLiteral("ac");
    QTest::newRow("end of the text") << QStringLiteral("abc") << 3 << 0 << QStringLiteral("abc");
    QTest::newRow("empty text") << QString() << 0 << 0 << QString();
    QTest::newRow("line break is one character") << QStringLiteral("ab\r\ncd") << 2 << 0 << QStringLiteral("abcd");
    QTest::newRow("surrogate pair is one character") << QStringLiteral("a\U0001F600b") << 1 << 0 << QStringLiteral("ab");
}

void tst_ClipboardCommands::clear()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);

    setDocument(text, selStart, selLength);
    m_host->setClipboardText(QStringLiteral("kept"));
    trigger("mnuClear");
    QCOMPARE(r1().Text(), expected);
    QCOMPARE(r1().SelStart(), selStart);
    QCOMPARE(m_host->clipboard(), QStringLiteral("kept"));
}

void tst_ClipboardCommands::selectAllKeepsCutCopyState()
{
    setDocument(QStringLiteral("<p>\r\nx</p>"), 4, 0);
    QCOMPARE(cutCopyState(), QStringLiteral("off"));
    trigger("mnuSelectAll");
    QCOMPARE(r1().SelStart(), 0);
    QCOMPARE(r1().SelText(), QStringLiteral("<p>\r\nx</p>"));
    QCOMPARE(cutCopyState(), QStringLiteral("off"));
}

void tst_ClipboardCommands::keyReleaseFollowsSelection()
{
    setDocument(QStringLiteral("abcdef"), 1, 0);
    QWidget *editor = r1().widget();
    QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(r1().SelText(), QStringLiteral("b"));
    QCOMPARE(cutCopyState(), QStringLiteral("on"));
    QTest::keyClick(editor, Qt::Key_Right);
    QCOMPARE(r1().SelLength(), 0);
    QCOMPARE(cutCopyState(), QStringLiteral("off"));
}

void tst_ClipboardCommands::mouseReleaseFollowsSelection()
{
    setDocument(QStringLiteral("<p>some words to select with the mouse</p>"), 0, 0);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto *viewport = r1().widget()->findChild<QWidget *>(QStringLiteral("qt_scrollarea_viewport"));
    QVERIFY(viewport);
    const QPoint from(viewport->fontMetrics().horizontalAdvance(QStringLiteral("<p>so")), viewport->fontMetrics().height() / 2);
    const QPoint to = from + QPoint(viewport->fontMetrics().horizontalAdvance(QStringLiteral("me wor")), 0);

    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
    QVERIFY(r1().SelLength() > 0);
    QCOMPARE(cutCopyState(), QStringLiteral("on"));

    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QCOMPARE(r1().SelLength(), 0);
    QCOMPARE(cutCopyState(), QStringLiteral("off"));
}

void tst_ClipboardCommands::ctrlPRunsPaste()
{
    setDocument(QStringLiteral("ab"), 1, 0);
    m_host->setClipboardText(QStringLiteral("<hr>"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    r1().widget()->setFocus();
    QTest::keyClick(r1().widget(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(r1().Text(), QStringLiteral("a<hr>b"));
}

void tst_ClipboardCommands::richTextClipboardKeys_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hostClipboard");
    QTest::addColumn<int>("changes");
    // Shift+Del and Ctrl+Ins are Edit › Cut and Copy; Shift+Ins is the control's own paste, as
    // Ctrl+V is.
    QTest::newRow("Shift+Del cuts") << (Qt::SHIFT | Qt::Key_Delete) << QStringLiteral("ac") << QStringLiteral("<b>") << 1;
    QTest::newRow("Ctrl+Ins copies") << (Qt::CTRL | Qt::Key_Insert) << QStringLiteral("a<b>c") << QStringLiteral("<b>") << 0;
    QTest::newRow("Shift+Ins pastes") << (Qt::SHIFT | Qt::Key_Insert) << QStringLiteral("a<hr>c") << QString() << 1;
}

void tst_ClipboardCommands::richTextClipboardKeys()
{
    QFETCH(QKeyCombination, key);
    QFETCH(QString, text);
    QFETCH(QString, hostClipboard);
    QFETCH(int, changes);
    QApplication::clipboard()->setText(QStringLiteral("<hr>"));
    setDocument(QStringLiteral("a<b>c"), 1, 3);
    // A selection made by keys switches Cut and Copy on, as the user's would.
    setCutCopy(true);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    r1().widget()->setFocus();
    QSignalSpy changeSpy(&r1(), &EditorControl::Change);
    QTest::keyClick(r1().widget(), key.key(), key.keyboardModifiers());
    QCOMPARE(r1().Text(), text);
    QCOMPARE(m_host->clipboard(), hostClipboard);
    QCOMPARE(changeSpy.count(), changes);
}

ZORVANE_TEST(tst_ClipboardCommands)
#include "tst_ClipboardCommands.moc"
