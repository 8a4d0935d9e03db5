// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/frmFind.h"

#include "app/frmMainWin.h"
#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

// An editor with its text, the dialog opened on it, and what the dialog asked and refreshed.
struct FindFixture {
    explicit FindFixture(const QString &text) { editor.setText(text); }

    frmFind &open()
    {
        dialog = new frmFind(editor, host, mnuFind, [this] { ++refreshes; });
        return *dialog;
    }
    QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(QLatin1String(name)); }
    QComboBox *combo(const char *name) const { return dialog->findChild<QComboBox *>(QLatin1String(name)); }
    QCheckBox *check(const char *name) const { return dialog->findChild<QCheckBox *>(QLatin1String(name)); }

    void setOptions(int options) const
    {
        check("chkWholeWord")->setChecked(options & EditorControl::WholeWord);
        check("chkMatchCase")->setChecked(options & EditorControl::MatchCase);
        check("chkNoHighlight")->setChecked(options & EditorControl::NoHighlight);
    }
    // Answers the next message box and clicks.
    void clickExpectingMessage(const char *name)
    {
        host.answerMsgBox(HostServices::Ok);
        button(name)->click();
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const ScriptedHost::Question &question : host.asked()) {
            if (question.kind == QLatin1String("MsgBox") && question.style == HostServices::OkOnly && question.title.isEmpty())
                texts.append(question.text);
        }
        return texts;
    }
    QString selection() const { return QStringLiteral("%1,%2").arg(editor.SelStart()).arg(editor.SelLength()); }
    // Where cmdReplace stands below the top of picBar.
    int replaceTop() const
    {
        return button("cmdReplace")->mapTo(dialog->findChild<QWidget *>(QStringLiteral("picBar")), QPoint()).y();
    }

    ScriptedHost host;
    QAction mnuFind{QStringLiteral("Find and Replace")};
    EditorControl editor;
    QPointer<frmFind> dialog;
    int refreshes = 0;
};

frmFind *openDialog()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<frmFind *>(window); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

const QString replaceAllReport = QStringLiteral("The specified region has been searched. \r\n%1 replacements have been made.");

} // namespace

class tst_frmFind : public QObject
{
    Q_OBJECT

private slots:
    // Each case starts with nothing remembered from an earlier dialog.
    void init() { QSettings().clear(); }
    void freshDialog();
    void findFieldTakesTheSelection_data();
    void findFieldTakesTheSelection();
    void findClicks_data();
    void findClicks();
    void searchStatesSwitchCommands();
    void optionsAreReadForEverySearch();
    void firstReplaceClickOnlyArms();
    void replaceWalksThroughOccurrences();
    void replaceWithNothingSelectedInsertsAtCaret();
    void replaceWithEmptyFindTextReplacesNothing();
    void replaceAll_data();
    void replaceAll();
    void replaceAllIsOneRestorableChange();
    void replaceAllWithoutOccurrenceResetsFind();
    void closingRefreshesAndDeletes();
    void mainWindowOpensOneDialogBesideIt();
    void toolbarOpensTheDialogWhileMenuIsOff();
    void searchesGiveTheEditorTheFocus_data();
    void searchesGiveTheEditorTheFocus();
};

void tst_frmFind::freshDialog()
{
    FindFixture f(QStringLiteral("text"));
    frmFind &dialog = f.open();

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find and Replace:"));
    QVERIFY(dialog.isWindow());
    QCOMPARE(dialog.parentWidget(), nullptr);
    const QList<std::pair<const char *, QString>> captions = {
        {"cmdFind", QStringLiteral("&Find")},
        {"cmdCancel", QStringLiteral("Cancel")},
        {"cmdReplace", QStringLiteral("&Replace...")},
        {"cmdReplaceAll", QStringLiteral("Replace &All")},
    };
    for (const auto &[name, caption] : captions) {
        QCOMPARE(f.button(name)->text(), caption);
        QVERIFY(f.button(name)->isEnabled());
        QVERIFY(!f.button(name)->isDefault());
        QVERIFY(!f.button(name)->accessibleName().isEmpty());
    }
    const QList<std::pair<const char *, QString>> boxes = {
        {"chkWholeWord", QStringLiteral("Find Whole Word &Only")},
        {"chkMatchCase", QStringLiteral("Match Ca&se")},
        {"chkNoHighlight", QStringLiteral("No &Highlight")},
    };
    for (const auto &[name, caption] : boxes) {
        QCOMPARE(f.check(name)->text(), caption);
        QVERIFY(!f.check(name)->isChecked());
    }
    QCOMPARE(f.combo("cboReplace")->currentText(), QString());
    QCOMPARE(f.combo("cboReplace")->count(), 0);
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblFind"))->text(), QStringLiteral("Fin&d What:"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblFind"))->buddy(), f.combo("cboFind"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblReplace"))->text(), QStringLiteral("Replace &With:"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblReplace"))->buddy(), f.combo("cboReplace"));

    const QStringList order = {QStringLiteral("cboFind"),      QStringLiteral("cmdFind"),        QStringLiteral("cmdCancel"),
                               QStringLiteral("cboReplace"),   QStringLiteral("chkNoHighlight"), QStringLiteral("chkMatchCase"),
                               QStringLiteral("chkWholeWord"), QStringLiteral("cmdReplace"),     QStringLiteral("cmdReplaceAll")};
    QStringList chain;
    QWidget *widget = f.combo("cboFind");
    do {
        if (order.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != f.combo("cboFind"));
    QCOMPARE(chain, order);

    QCOMPARE(f.replaceTop(), 525 / 15);
    QCOMPARE(f.refreshes, 0);
}

void tst_frmFind::findFieldTakesTheSelection_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("field");

    QTest::newRow("selected word") << 4 << 5 << QStringLiteral("hello");
    QTest::newRow("nothing selected") << 2 << 0 << QString();
}

void tst_frmFind::findFieldTakesTheSelection()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, field);

    FindFixture f(QStringLiteral("say hello"));
    f.editor.setSelStart(start);
    f.editor.setSelLength(length);
    f.open();
    QCOMPARE(f.combo("cboFind")->currentText(), field);
    QCOMPARE(f.combo("cboFind")->count(), 1);
    QCOMPARE(f.combo("cboFind")->itemText(0), field);
}

void tst_frmFind::findClicks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<int>("options");
    // Per click: the selection after it ("start,length"), or the message it showed.
    QTest::addColumn<QStringList>("outcomes");
    QTest::addColumn<QString>("caption");

    const QString cats = QStringLiteral("a Cat and a cat");
    QTest::newRow("case-insensitive, then Find Next")
        << cats << QStringLiteral("cat") << 0
        << QStringList{QStringLiteral("2,3"), QStringLiteral("12,3"), QStringLiteral("Text not found")}
        << QStringLiteral("&Find");
    QTest::newRow("match case") << cats << QStringLiteral("cat") << int(EditorControl::MatchCase)
                                << QStringList{QStringLiteral("12,3"), QStringLiteral("Text not found")}
                                << QStringLiteral("&Find");
    QTest::newRow("whole word inside a word")
        << QStringLiteral("concatenate") << QStringLiteral("cat") << int(EditorControl::WholeWord)
        << QStringList{QStringLiteral("Text Not Found")} << QStringLiteral("&Find");
    QTest::newRow("whole word on its own") << QStringLiteral("concatenate cat") << QStringLiteral("cat")
                                           << int(EditorControl::WholeWord) << QStringList{QStringLiteral("12,3")}
                                           << QStringLiteral("&Find Next");
    QTest::newRow("no highlight finds the same occurrence again")
        << QStringLiteral("a cat") << QStringLiteral("cat") << int(EditorControl::NoHighlight)
        << QStringList{QStringLiteral("0,0"), QStringLiteral("0,0"), QStringLiteral("0,0")} << QStringLiteral("&Find Next");
    QTest::newRow("empty find text") << cats << QString() << 0 << QStringList{QStringLiteral("Text Not Found")}
                                     << QStringLiteral("&Find");
    QTest::newRow("a failed first search stays a first search")
        << cats << QStringLiteral("dog") << 0 << QStringList{QStringLiteral("Text Not Found"), QStringLiteral("Text Not Found")}
        << QStringLiteral("&Find");
}

void tst_frmFind::findClicks()
{
    QFETCH(QString, text);
    QFETCH(QString, findText);
    QFETCH(int, options);
    QFETCH(QStringList, outcomes);
    QFETCH(QString, caption);

    FindFixture f(text);
    f.open();
    f.combo("cboFind")->setEditText(findText);
    f.setOptions(options);
    for (const QString &outcome : outcomes) {
        const qsizetype before = f.messages().size();
        const bool message = !outcome.front().isDigit();
        if (message)
            f.clickExpectingMessage("cmdFind");
        else
            f.button("cmdFind")->click();
        if (message) {
            QCOMPARE(f.messages().size(), before + 1);
            QCOMPARE(f.messages().last(), outcome);
        } else {
            QCOMPARE(f.messages().size(), before);
            QCOMPARE(f.selection(), outcome);
        }
    }
    QVERIFY(f.host.allAnswered());
    QCOMPARE(f.button("cmdFind")->text(), caption);
    QCOMPARE(f.editor.Text(), text);
    QCOMPARE(f.refreshes, outcomes.size());
}

void tst_frmFind::searchStatesSwitchCommands()
{
    FindFixture f(QStringLiteral("one cat"));
    f.open();

    f.combo("cboFind")->setEditText(QStringLiteral("dog"));
    f.clickExpectingMessage("cmdFind");
    QVERIFY(!f.mnuFind.isEnabled());
    QVERIFY(f.button("cmdReplace")->isEnabled());

    f.combo("cboFind")->setEditText(QStringLiteral("cat"));
    f.button("cmdFind")->click();
    QVERIFY(f.mnuFind.isEnabled());
    QCOMPARE(f.button("cmdFind")->text(), QStringLiteral("&Find Next"));

    f.clickExpectingMessage("cmdFind");
    QCOMPARE(f.messages(), QStringList({QStringLiteral("Text Not Found"), QStringLiteral("Text not found")}));
    QVERIFY(!f.mnuFind.isEnabled());
    QVERIFY(!f.button("cmdReplace")->isEnabled());
    QVERIFY(!f.button("cmdReplaceAll")->isEnabled());

    // A successful first search switches everything on again.
    f.button("cmdFind")->click();
    QVERIFY(f.mnuFind.isEnabled());
    QVERIFY(f.button("cmdReplace")->isEnabled());
    QVERIFY(f.button("cmdReplaceAll")->isEnabled());
}

void tst_frmFind::optionsAreReadForEverySearch()
{
    FindFixture f(QStringLiteral("Cat cat"));
    f.open();
    f.combo("cboFind")->setEditText(QStringLiteral("cat"));
    f.button("cmdFind")->click();
    QCOMPARE(f.selection(), QStringLiteral("0,3"));

    // Ticked between two searches, Match Case applies to the next one.
    f.check("chkMatchCase")->setChecked(true);
    f.editor.setSelStart(0);
    f.button("cmdFind")->click();
    QCOMPARE(f.selection(), QStringLiteral("4,3"));
}

void tst_frmFind::firstReplaceClickOnlyArms()
{
    FindFixture f(QStringLiteral("a cat"));
    f.open();
    f.combo("cboFind")->setEditText(QStringLiteral("cat"));
    f.combo("cboReplace")->setEditText(QStringLiteral("dog"));
    f.editor.setSelStart(2);
    f.editor.setSelLength(3);
    QSignalSpy changes(&f.editor, &EditorControl::Change);

    const int unarmedTop = f.replaceTop();
    f.button("cmdReplace")->click();
    QCOMPARE(f.editor.Text(), QStringLiteral("a cat"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(f.button("cmdReplace")->text(), QStringLiteral("&Replace"));
    QCOMPARE(f.replaceTop(), 150 / 15);
    QVERIFY(f.replaceTop() < unarmedTop);
    QVERIFY(f.replaceTop() + f.button("cmdReplace")->height() <=
            f.button("cmdReplaceAll")->mapTo(f.dialog->findChild<QWidget *>(QStringLiteral("picBar")), QPoint()).y());
    QCOMPARE(f.refreshes, 0);

    // Armed, it stays armed and replaces.
    f.clickExpectingMessage("cmdReplace");
    QCOMPARE(f.editor.Text(), QStringLiteral("a dog"));
    QCOMPARE(f.button("cmdReplace")->text(), QStringLiteral("&Replace"));
}

void tst_frmFind::replaceWalksThroughOccurrences()
{
    FindFixture f(QStringLiteral("a Cat and a cat"));
    f.open();
    f.combo("cboFind")->setEditText(QStringLiteral("cat"));
    f.combo("cboReplace")->setEditText(QStringLiteral("dog"));
    f.button("cmdFind")->click();
    f.button("cmdReplace")->click();

    f.button("cmdReplace")->click();
    QCOMPARE(f.editor.Text(), QStringLiteral("a dog and a cat"));
    QCOMPARE(f.selection(), QStringLiteral("12,3"));
    QCOMPARE(f.messages(), QStringList());

    f.mnuFind.setEnabled(false);
    f.clickExpectingMessage("cmdReplace");
    QCOMPARE(f.editor.Text(), QStringLiteral("a dog and a dog"));
    QCOMPARE(f.messages(), QStringList{QStringLiteral("Text not found")});
    QCOMPARE(f.button("cmdFind")->text(), QStringLiteral("&Find"));
    QVERIFY(!f.button("cmdReplace")->isEnabled());
    QVERIFY(!f.button("cmdReplaceAll")->isEnabled());
    // Replace leaves the menu command alone.
    QVERIFY(!f.mnuFind.isEnabled());
    QCOMPARE(f.refreshes, 3);
}

void tst_frmFind::replaceWithNothingSelectedInsertsAtCaret()
{
    FindFixture f(QStringLiteral("xx cat"));
    f.open();
    f.combo("cboFind")->setEditText(QStringLiteral("cat"));
    f.combo("cboReplace")->setEditText(QStringLiteral("Y"));
    f.button("cmdReplace")->click();
    f.editor.setSelStart(1);

    f.button("cmdReplace")->click();
    QCOMPARE(f.editor.Text(), QStringLiteral("xYx cat"));
    QCOMPARE(f.selection(), QStringLiteral("4,3"));
}

void tst_frmFind::replaceWithEmptyFindTextReplacesNothing()
{
    FindFixture f(QStringLiteral("abc"));
    f.open();
    f.combo("cboReplace")->setEditText(QStringLiteral("X"));
    f.button("cmdReplace")->click();
    f.editor.setSelStart(1);
    f.editor.setSelLength(1);
    QSignalSpy changes(&f.editor, &EditorControl::Change);

    f.clickExpectingMessage("cmdReplace");
    QCOMPARE(f.editor.Text(), QStringLiteral("abc"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(f.messages(), QStringList{QStringLiteral("Text not found")});
}

void tst_frmFind::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("caret");

    const int noHighlight = EditorControl::NoHighlight;
    QTest::newRow("replacement contains the find text")
        << QStringLiteral("banana") << QStringLiteral("a") << QStringLiteral("aa") << 0 << QStringLiteral("baanaanaa") << 3 << 9;
    QTest::newRow("adjacent occurrences removed")
        << QStringLiteral("abab") << QStringLiteral("ab") << QString() << 0 << QString() << 2 << 0;
    QTest::newRow("no occurrence") << QStringLiteral("banana") << QStringLiteral("x") << QStringLiteral("y") << 0
                                   << QStringLiteral("banana") << 0 << 6;
    QTest::newRow("empty find text") << QStringLiteral("banana") << QString() << QStringLiteral("y") << 0
                                     << QStringLiteral("banana") << 0 << 6;
    QTest::newRow("no highlight") << QStringLiteral("banana") << QStringLiteral("a") << QStringLiteral("aa") << noHighlight
                                  << QStringLiteral("baanaanaa") << 3 << 9;
    QTest::newRow("no highlight, removing") << QStringLiteral("abab") << QStringLiteral("ab") << QString() << noHighlight
                                            << QString() << 2 << 0;
    QTest::newRow("case-insensitive") << QStringLiteral("Cat cat CAT.") << QStringLiteral("cat") << QStringLiteral("dog") << 0
                                      << QStringLiteral("dog dog dog.") << 3 << 11;
    QTest::newRow("match case") << QStringLiteral("Cat cat CAT") << QStringLiteral("cat") << QStringLiteral("dog")
                                << int(EditorControl::MatchCase) << QStringLiteral("Cat dog CAT") << 1 << 7;
    QTest::newRow("whole word") << QStringLiteral("cat concatenate cat") << QStringLiteral("cat") << QStringLiteral("dog")
                                << int(EditorControl::WholeWord) << QStringLiteral("dog concatenate dog") << 2 << 19;
    QTest::newRow("accented, any case") << QStringLiteral("Cr\u00e8me cr\u00e8me CR\u00c8ME!") << QStringLiteral("cr\u00e8me")
                                        << QStringLiteral("x") << 0 << QStringLiteral("x x x!") << 3 << 5;
    QTest::newRow("accented, whole word") << QStringLiteral("cr\u00e8mes cr\u00e8me") << QStringLiteral("CR\u00c8ME")
                                          << QStringLiteral("x") << int(EditorControl::WholeWord)
                                          << QStringLiteral("cr\u00e8mes x") << 1 << 8;
    QTest::newRow("line breaks") << QStringLiteral("a\r\nb\r\nc") << QStringLiteral("\r\n") << QStringLiteral("<br>") << 0
                                 << QStringLiteral("a<br>b<br>c") << 2 << 10;
    QTest::newRow("a carriage return without its line feed")
        << QStringLiteral("a\r\nb") << QStringLiteral("a\r") << QStringLiteral("x") << 0 << QStringLiteral("x\nb") << 1 << 1;
    QTest::newRow("past 32767, counted in full")
        << QStringLiteral("a ").repeated(40000) << QStringLiteral("a") << QStringLiteral("bb") << 0
        << QStringLiteral("bb ").repeated(40000) << 40000 << 3 * 40000 - 1;
}

void tst_frmFind::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, findText);
    QFETCH(QString, replacement);
    QFETCH(int, options);
    QFETCH(QString, result);
    QFETCH(int, count);
    QFETCH(int, caret);

    FindFixture f(text);
    f.open();
    f.combo("cboFind")->setEditText(findText);
    f.combo("cboReplace")->setEditText(replacement);
    f.setOptions(options);
    // Whatever was selected, the whole document is searched from its start.
    f.editor.setSelStart(static_cast<int>(text.size()));
    QSignalSpy changes(&f.editor, &EditorControl::Change);

    if (count > 0)
        f.clickExpectingMessage("cmdReplaceAll");
    else
        f.button("cmdReplaceAll")->click();

    QCOMPARE(f.editor.Text(), result);
    QCOMPARE(changes.count(), count > 0 ? 1 : 0);
    QCOMPARE(f.selection(), QStringLiteral("%1,0").arg(caret));
    if (count > 0)
        QCOMPARE(f.messages(), QStringList{replaceAllReport.arg(count)});
    else
        QCOMPARE(f.messages(), QStringList());
    QCOMPARE(f.button("cmdFind")->text(), QStringLiteral("&Find"));
    QCOMPARE(f.refreshes, 1);
}

void tst_frmFind::replaceAllIsOneRestorableChange()
{
    const QString original = QStringLiteral("<p>banana</p>\r\n<p>cabana</p>");
    FindFixture f(original);
    f.open();
    f.combo("cboFind")->setEditText(QStringLiteral("a"));
    f.combo("cboReplace")->setEditText(QStringLiteral("aa"));
    QList<QList<ContentEdit>> changes;
    connect(&f.editor, &EditorControl::Change, &f.editor, [&] { changes.append(f.editor.lastEdits()); });

    f.clickExpectingMessage("cmdReplaceAll");
    QCOMPARE(f.messages(),
             QStringList{QStringLiteral("The specified region has been searched. \r\n6 replacements have been made.")});
    QCOMPARE(f.editor.Text(), QStringLiteral("<p>baanaanaa</p>\r\n<p>caabaanaa</p>"));

    // One change, and it carries what undoing it needs.
    QCOMPARE(changes.size(), 1);
    QList<ContentEdit> undo;
    for (auto edit = changes.first().crbegin(); edit != changes.first().crend(); ++edit)
        undo.append({edit->offset, edit->inserted, edit->removed});
    f.editor.applyEdits(undo);
    QCOMPARE(f.editor.Text(), original);
}

void tst_frmFind::replaceAllWithoutOccurrenceResetsFind()
{
    FindFixture f(QStringLiteral("banana"));
    f.open();
    f.combo("cboFind")->setEditText(QStringLiteral("n"));
    f.button("cmdFind")->click();
    QCOMPARE(f.button("cmdFind")->text(), QStringLiteral("&Find Next"));

    f.combo("cboFind")->setEditText(QStringLiteral("x"));
    f.button("cmdReplaceAll")->click();
    QCOMPARE(f.messages(), QStringList());
    QCOMPARE(f.button("cmdFind")->text(), QStringLiteral("&Find"));
}

void tst_frmFind::closingRefreshesAndDeletes()
{
    FindFixture f(QStringLiteral("text"));
    f.open();
    f.button("cmdCancel")->click();
    QCOMPARE(f.refreshes, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.dialog.isNull());

    f.open();
    f.dialog->show();
    f.dialog->close();
    QCOMPARE(f.refreshes, 3);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.dialog.isNull());
}

void tst_frmFind::mainWindowOpensOneDialogBesideIt()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.move(40, 30);
    w.show();
    w.r1().setText(QStringLiteral("say hello"));
    w.r1().setSelStart(4);
    w.r1().setSelLength(5);

    w.action(QStringLiteral("mnuFind"))->trigger();
    QPointer<frmFind> dialog = openDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isWindow());
    QCOMPARE(dialog->parentWidget(), &w); // owned: kept in front of the main window
    QCOMPARE(dialog->pos(), w.frameGeometry().topLeft() + QPoint(200, 133));
    auto *cboFind = dialog->findChild<QComboBox *>(QStringLiteral("cboFind"));
    QCOMPARE(cboFind->currentText(), QStringLiteral("hello"));

    // Opened again, it is the same window with what was typed into it.
    cboFind->setEditText(QStringLiteral("typed"));
    w.r1().setSelStart(0);
    w.action(QStringLiteral("mnuFind"))->trigger();
    QCOMPARE(openDialog(), dialog.data());
    QCOMPARE(cboFind->currentText(), QStringLiteral("typed"));

    // Closed, the next opening starts afresh.
    dialog->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());
    w.r1().setSelStart(4);
    w.r1().setSelLength(3);
    w.action(QStringLiteral("mnuFind"))->trigger();
    QVERIFY(openDialog());
    QCOMPARE(openDialog()->findChild<QComboBox *>(QStringLiteral("cboFind"))->currentText(), QStringLiteral("hel"));
}

void tst_frmFind::toolbarOpensTheDialogWhileMenuIsOff()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    w.action(QStringLiteral("mnuFind"))->trigger();
    QPointer<frmFind> dialog = openDialog();
    QVERIFY(dialog);
    dialog->findChild<QComboBox *>(QStringLiteral("cboFind"))->setEditText(QStringLiteral("no such text"));
    host.answerMsgBox(HostServices::Ok);
    dialog->findChild<QPushButton *>(QStringLiteral("cmdFind"))->click();
    QCOMPARE(host.asked().last().text, QStringLiteral("Text Not Found"));
    QVERIFY(!w.action(QStringLiteral("mnuFind"))->isEnabled());

    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());
    QToolButton *find = w.toolbarButton(QStringLiteral("Find"));
    QVERIFY(find->isEnabled());
    find->click();
    QVERIFY(openDialog());
    // Closing the dialog does not switch the menu command back on.
    openDialog()->close();
    QVERIFY(!w.action(QStringLiteral("mnuFind"))->isEnabled());
}

void tst_frmFind::searchesGiveTheEditorTheFocus_data()
{
    QTest::addColumn<QStringList>("clicks"); // the last one is the search looked at
    QTest::addColumn<QString>("selection");
    QTest::newRow("Find") << QStringList{"cmdFind"} << QStringLiteral("2,3");
    QTest::newRow("Find Next") << QStringList{"cmdFind", "cmdFind"} << QStringLiteral("12,3");
    QTest::newRow("Replace") << QStringList{"cmdReplace", "cmdFind", "cmdReplace"} << QStringLiteral("12,3");
}

void tst_frmFind::searchesGiveTheEditorTheFocus()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, selection);

    FindFixture f(QStringLiteral("a cat and a cat"));
    QWidget *editorWindow = f.editor.widget();
    editorWindow->show();
    frmFind &dialog = f.open();
    f.combo("cboFind")->setEditText(QStringLiteral("cat"));
    f.combo("cboReplace")->setEditText(QStringLiteral("dog"));
    for (const QString &click : clicks) {
        // The dialog is the active window when its button is clicked.
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        f.button(qPrintable(click))->click();
    }
    QCOMPARE(f.selection(), selection);
    QTRY_VERIFY(editorWindow->isActiveWindow());
    QTRY_VERIFY(editorWindow->hasFocus());
}

ZORVANE_TEST(tst_frmFind)
#include "tst_frmFind.moc"
