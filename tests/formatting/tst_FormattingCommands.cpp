// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "formatting/FormattingCommands.h"
#include "formatting/FormattingToolbar.h"
#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

// The toolbar beside an editor, counting what the commands ask of the main window.
struct ToolbarFixture {
    ToolbarFixture()
        : commands(toolbar, editor, FormattingCommands::Hooks{[this] { ++refreshes; }, [this] { ++tables; }, [this] { ++frames; }})
    {
        toolbar.fillCombos();
        toolbar.show();
    }

    void select(const QString &text, int start, int length)
    {
        editor.setText(text);
        editor.setSelStart(start);
        editor.setSelLength(length);
    }

    FormattingToolbar toolbar;
    EditorControl editor;
    int refreshes = 0;
    int tables = 0;
    int frames = 0;
    FormattingCommands commands;
};

// Opens the combo's list and picks the item with the keyboard, as a user does.
void choose(QComboBox *combo, const QString &item)
{
    const int row = combo->findText(item);
    QVERIFY2(row >= 0, qPrintable(item));
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    QTRY_VERIFY(list->isVisible());
    list->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
}

} // namespace

class tst_FormattingCommands : public QObject
{
    Q_OBJECT

private slots:
    void buttonsWrapSelection_data();
    void buttonsWrapSelection();
    void tableAndFrameOpenTheirToolWindows();
    void combosWrapSelectionInFont_data();
    void combosWrapSelectionInFont();
    void typedFaceAppliesOnceOnEnter_data();
    void typedFaceAppliesOnceOnEnter();
    void leavingFontComboAppliesNothing();
    void mainWindowToolbarEditsDocument();
    void mainWindowTableAndFrameRunInsertCommands();
};

void tst_FormattingCommands::buttonsWrapSelection_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<int>("expectedLength");

    const QString word = QStringLiteral("word");
    QTest::newRow("Bold") << "Bold" << 1 << word << 0 << 4 << QStringLiteral("<B>word</B>") << 3 << 4;
    QTest::newRow("Bold twice nests") << "Bold" << 2 << word << 0 << 4 << QStringLiteral("<B><B>word</B></B>") << 6 << 4;
    QTest::newRow("Italic at caret") << "Italic" << 1 << QStringLiteral("0123456789") << 10 << 0
                                     << QStringLiteral("0123456789<I></I>") << 13 << 0;
    QTest::newRow("Underline mid-text") << "Underline" << 1 << QStringLiteral("a word b") << 2 << 4
                                        << QStringLiteral("a <U>word</U> b") << 5 << 4;
    QTest::newRow("Left") << "Left" << 1 << word << 0 << 4 << QStringLiteral("<p align='left'>word</p>") << 16 << 4;
    QTest::newRow("Center over lines") << "Center" << 1 << QStringLiteral("one\r\ntwo\r\nthree") << 0 << 15
                                       << QStringLiteral("<p align='center'>one\r\ntwo\r\nthree</p>") << 18 << 15;
    QTest::newRow("Right") << "Right" << 1 << word << 0 << 4 << QStringLiteral("<p align='right'>word</p>") << 17 << 4;
    QTest::newRow("BR before selection") << "BR" << 1 << QStringLiteral("abc") << 0 << 3 << QStringLiteral("<BR> \r\nabc") << 7 << 3;
    QTest::newRow("BR at caret") << "BR" << 1 << QStringLiteral("abc") << 1 << 0 << QStringLiteral("a<BR> \r\nbc") << 8 << 0;
}

void tst_FormattingCommands::buttonsWrapSelection()
{
    QFETCH(QString, key);
    QFETCH(int, clicks);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    QFETCH(int, expectedStart);
    QFETCH(int, expectedLength);

    ToolbarFixture fixture;
    fixture.select(text, selStart, selLength);
    QToolButton *button = fixture.toolbar.button(key);
    QVERIFY(button);
    for (int click = 0; click < clicks; ++click)
        QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(fixture.editor.Text(), expected);
    QCOMPARE(fixture.editor.SelStart(), expectedStart);
    QCOMPARE(fixture.editor.SelLength(), expectedLength);
    QCOMPARE(fixture.refreshes, clicks);
    QCOMPARE(fixture.tables + fixture.frames, 0);
}

void tst_FormattingCommands::tableAndFrameOpenTheirToolWindows()
{
    ToolbarFixture fixture;
    fixture.select(QStringLiteral("word"), 0, 4);

    QTest::mouseClick(fixture.toolbar.button(QStringLiteral("Table")), Qt::LeftButton);
    QCOMPARE(fixture.tables, 1);
    QCOMPARE(fixture.frames, 0);
    QCOMPARE(fixture.refreshes, 1);

    QTest::mouseClick(fixture.toolbar.button(QStringLiteral("Frame")), Qt::LeftButton);
    QCOMPARE(fixture.tables, 1);
    QCOMPARE(fixture.frames, 1);
    QCOMPARE(fixture.refreshes, 2);

    // The tool windows insert their markup later; the buttons themselves leave the text alone.
    QCOMPARE(fixture.editor.Text(), QStringLiteral("word"));
    QCOMPARE(fixture.editor.SelLength(), 4);
}

void tst_FormattingCommands::combosWrapSelectionInFont_data()
{
    QTest::addColumn<QStringList>("choices"); // combo object name, "=", item
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<int>("expectedLength");

    const QString hello = QStringLiteral("Hello");
    QTest::newRow("Maroon") << QStringList{"ColorCombo=Maroon"} << hello << 0 << 5
                            << QStringLiteral("<font color=\"#CC0000\">Hello</font>") << 22 << 5;
    QTest::newRow("Green") << QStringList{"ColorCombo=Green"} << hello << 0 << 5
                           << QStringLiteral("<font color=\"#00CC00\">Hello</font>") << 22 << 5;
    QTest::newRow("Gray") << QStringList{"ColorCombo=Gray"} << hello << 0 << 5
                          << QStringLiteral("<font color=\"#999999\">Hello</font>") << 22 << 5;
    QTest::newRow("size at offset 0") << QStringList{"SizeCombo=+2"} << QString() << 0 << 0
                                      << QStringLiteral("<font size=\"+2\"></font>") << 16 << 0;
    QTest::newRow("size mid-line") << QStringList{"SizeCombo=7"} << QStringLiteral("a\r\nb c") << 3 << 1
                                   << QStringLiteral("a\r\n<font size=\"7\">b</font> c") << 18 << 1;
    QTest::newRow("face keeps its space") << QStringList{"fntcbo=Courier New"} << hello << 0 << 5
                                          << QStringLiteral("<font face=\"Courier New\">Hello</font>") << 25 << 5;
    QTest::newRow("two choices nest") << QStringList{"ColorCombo=Maroon", "SizeCombo=+2"} << QStringLiteral("x") << 0 << 1
                                      << QStringLiteral("<font color=\"#CC0000\"><font size=\"+2\">x</font></font>") << 38 << 1;
}

void tst_FormattingCommands::combosWrapSelectionInFont()
{
    QFETCH(QStringList, choices);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    QFETCH(int, expectedStart);
    QFETCH(int, expectedLength);

    ToolbarFixture fixture;
    fixture.select(text, selStart, selLength);
    for (const QString &choice : choices) {
        const QStringList parts = choice.split(QLatin1Char('='));
        choose(fixture.toolbar.findChild<QComboBox *>(parts.at(0)), parts.at(1));
    }

    QCOMPARE(fixture.editor.Text(), expected);
    QCOMPARE(fixture.editor.SelStart(), expectedStart);
    QCOMPARE(fixture.editor.SelLength(), expectedLength);
    QCOMPARE(fixture.refreshes, choices.size());
}

void tst_FormattingCommands::typedFaceAppliesOnceOnEnter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("toLineEdit"); // keys sent to the combo's line edit instead of the combo
    QTest::addColumn<QString>("expected");

    QTest::newRow("new face") << "Foo" << false << QStringLiteral("<font face=\"Foo\">x</font>");
    QTest::newRow("new face, line edit") << "Foo" << true << QStringLiteral("<font face=\"Foo\">x</font>");
    QTest::newRow("a listed face") << "Courier New" << false << QStringLiteral("<font face=\"Courier New\">x</font>");
    QTest::newRow("prefix of a listed face") << "Courier" << false << QStringLiteral("<font face=\"Courier\">x</font>");
}

void tst_FormattingCommands::typedFaceAppliesOnceOnEnter()
{
    QFETCH(QString, typed);
    QFETCH(bool, toLineEdit);
    QFETCH(QString, expected);

    ToolbarFixture fixture;
    fixture.select(QStringLiteral("x"), 0, 1);
    QComboBox *fntcbo = fixture.toolbar.fntcbo();
    QWidget *target = toLineEdit ? static_cast<QWidget *>(fntcbo->lineEdit()) : fntcbo;
    fntcbo->clearEditText();
    QTest::keyClicks(target, typed);

    // Typing only edits the combo's text.
    QCOMPARE(fntcbo->currentText(), typed);
    QCOMPARE(fixture.editor.Text(), QStringLiteral("x"));

    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(fixture.editor.Text(), expected);
    QCOMPARE(fixture.editor.SelText(), QStringLiteral("x"));
    QCOMPARE(fixture.refreshes, 0);
    QCOMPARE(fntcbo->currentText(), typed);
    QCOMPARE(fntcbo->count(), 8);
}

void tst_FormattingCommands::leavingFontComboAppliesNothing()
{
    ToolbarFixture fixture;
    fixture.select(QStringLiteral("x"), 0, 1);
    fixture.toolbar.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture.toolbar));
    QComboBox *fntcbo = fixture.toolbar.fntcbo();
    fntcbo->setFocus();
    QTRY_VERIFY(fntcbo->hasFocus());

    // Typed text that names a listed face, then Enter, then the focus moves on.
    fntcbo->clearEditText();
    QTest::keyClicks(fntcbo, QStringLiteral("verdana"));
    QTest::keyClick(fntcbo, Qt::Key_Return);
    fixture.toolbar.ColorCombo()->setFocus();
    QTRY_VERIFY(!fntcbo->hasFocus());
    QCOMPARE(fixture.editor.Text(), QStringLiteral("<font face=\"verdana\">x</font>"));

    // Typed without Enter: leaving the combo keeps the text and applies nothing.
    fntcbo->setFocus();
    QTRY_VERIFY(fntcbo->hasFocus());
    fntcbo->clearEditText();
    QTest::keyClicks(fntcbo, QStringLiteral("Georgia"));
    fixture.toolbar.ColorCombo()->setFocus();
    QTRY_VERIFY(!fntcbo->hasFocus());
    QCOMPARE(fixture.editor.Text(), QStringLiteral("<font face=\"verdana\">x</font>"));
    QCOMPARE(fntcbo->currentText(), QStringLiteral("Georgia"));
    QCOMPARE(fixture.refreshes, 0);
}

void tst_FormattingCommands::mainWindowToolbarEditsDocument()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.r1().setText(QStringLiteral("Hello"));
    w.r1().setSelStart(0);
    w.r1().setSelLength(5);

    auto *formattlb = w.findChild<FormattingToolbar *>(QStringLiteral("formattlb"));
    QVERIFY(formattlb);
    QTest::mouseClick(formattlb->button(QStringLiteral("Bold")), Qt::LeftButton);
    choose(formattlb->ColorCombo(), QStringLiteral("Maroon"));
    formattlb->fntcbo()->clearEditText();
    QTest::keyClicks(formattlb->fntcbo(), QStringLiteral("Foo"));
    QTest::keyClick(formattlb->fntcbo(), Qt::Key_Enter);

    QCOMPARE(w.r1().Text(), QStringLiteral("<B><font color=\"#CC0000\"><font face=\"Foo\">Hello</font></font></B>"));
    QCOMPARE(w.r1().SelText(), QStringLiteral("Hello"));
}

void tst_FormattingCommands::mainWindowTableAndFrameRunInsertCommands()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    QSignalSpy tables(w.action(QStringLiteral("mnutbins")), &QAction::triggered);
    QSignalSpy frames(w.action(QStringLiteral("frmmnu")), &QAction::triggered);
    auto *formattlb = w.findChild<FormattingToolbar *>(QStringLiteral("formattlb"));
    const QString before = w.r1().Text();

    formattlb->button(QStringLiteral("Table"))->click();
    QCOMPARE(tables.count(), 1);
    QCOMPARE(frames.count(), 0);
    formattlb->button(QStringLiteral("Frame"))->click();
    QCOMPARE(tables.count(), 1);
    QCOMPARE(frames.count(), 1);
    QCOMPARE(w.r1().Text(), before);
}

ZORVANE_TEST(tst_FormattingCommands)
#include "tst_FormattingCommands.moc"
