// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "coloring/modColoring.h"
#include "editing/ChangeTracker.h"
#include "editor/EditorControl.h"
#include "text/FileReader.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Template = QStringLiteral("<HTML>\r\n"
                                        "<HEAD>\r\n"
                                        "<!-- Created With Zorvane v1.0 //-->\r\n"
                                        "<TITLE>Untitled</TITLE>\r\n"
                                        "</HEAD>\r\n"
                                        "<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000CC>\r\n"
                                        "\r\n"
                                        "</BODY>\r\n"
                                        "</HTML>");

// The colours a fresh whole-text colouring gives text.
QByteArray wholeTextColours(const QString &text)
{
    EditorControl fresh;
    fresh.setText(text);
    ColorMarkup(fresh, 0);
    return fresh.colours(0, fresh.length());
}

// r1 and its scratch control wired to a tracker, as the main window wires them.
struct Editors {
    EditorControl r1;
    EditorControl rtbTemp;
    int saveEnabled = 0;
    ChangeTracker tracker{r1, rtbTemp, [this] { ++saveEnabled; }};

    Editors()
    {
        rtbTemp.shareDocumentWith(r1);
        QObject::connect(&r1, &EditorControl::Change, &tracker, &ChangeTracker::r1_Change);
    }
};

} // namespace

class tst_ChangeTracker : public QObject
{
    Q_OBJECT

private slots:
    void firstUndoAfterStartUpEmptiesTheEditor();
    void oneTypedCharacterIsOneState();
    void redoFollowsOnlyTheCurrentLine();
    void thousandMostRecentStatesAreKept();
    void typingRecoloursAndKeepsTheCaret();
    void undoRestoresTheColoursOfTheText();
    void loadedFileIsUndoneAndRedone();
    void randomEditsUndoneAndRedone();
};

void tst_ChangeTracker::firstUndoAfterStartUpEmptiesTheEditor()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    QCOMPARE(w.r1().Text(), Template);
    QCOMPARE(w.changes().UndoIndex(), 1);

    QAction *save = w.action(QStringLiteral("mnuSave"));
    save->setEnabled(false);
    w.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(w.r1().Text(), QString());
    QVERIFY(save->isEnabled());
    QCOMPARE(w.changes().UndoIndex(), 0);

    save->setEnabled(false);
    w.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(w.r1().Text(), QString());
    QVERIFY(!save->isEnabled());

    w.action(QStringLiteral("mnuRedo"))->trigger();
    QCOMPARE(w.r1().Text(), Template);
    QVERIFY(save->isEnabled());
    QCOMPARE(w.r1().SelStart(), 0);
    QCOMPARE(w.r1().colours(0, w.r1().length()), wholeTextColours(Template));
}

void tst_ChangeTracker::loadedFileIsUndoneAndRedone()
{
    // The load's change keeps no copy of the file's text; undo and redo still give both texts,
    // coloured, and the load counts as one state.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<p>caf\xc3\xa9 \xf0\x9f\x98\x80</p>\n<!-- note -->\n");
    file.close();
    const QString loaded = QStringLiteral("<p>caf\u00e9 \U0001F600</p>\r\n<!-- note -->\r\n");

    Editors editors;
    editors.r1.setText(QStringLiteral("<b>before</b>"));
    FileReader reader(path, 1000);
    QVERIFY(editors.r1.load(reader).ok);
    QCOMPARE(editors.tracker.UndoIndex(), 2);
    QCOMPARE(editors.r1.colours(0, editors.r1.length()), wholeTextColours(loaded));

    editors.tracker.mnuUndo_Click();
    QCOMPARE(editors.r1.Text(), QStringLiteral("<b>before</b>"));
    QCOMPARE(editors.r1.colours(0, editors.r1.length()), wholeTextColours(QStringLiteral("<b>before</b>")));
    editors.tracker.mnuRedo_Click();
    QCOMPARE(editors.r1.Text(), loaded);
    QCOMPARE(editors.r1.colours(0, editors.r1.length()), wholeTextColours(loaded));
    QCOMPARE(editors.tracker.UndoIndex(), 2);
}

void tst_ChangeTracker::oneTypedCharacterIsOneState()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.r1().setSelStart(6);
    QTest::keyClick(w.r1().widget(), Qt::Key_A);
    QCOMPARE(w.changes().UndoIndex(), 2);
    // Typing over a selection deletes and inserts: still one state.
    w.r1().setSelStart(1);
    w.r1().setSelLength(4);
    QTest::keyClick(w.r1().widget(), Qt::Key_B);
    QCOMPARE(w.r1().Text().left(8), QStringLiteral("<b>a\r\n<H"));
    QCOMPARE(w.changes().UndoIndex(), 3);
    w.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(w.r1().Text().left(8), QStringLiteral("<HTML>a\r"));
    QCOMPARE(w.r1().SelStart(), 0);
    QCOMPARE(w.r1().SelLength(), 0);
}

void tst_ChangeTracker::redoFollowsOnlyTheCurrentLine()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    auto typeAt = [&w](int offset, const QString &characters) {
        w.r1().setSelStart(offset);
        QTest::keyClicks(w.r1().widget(), characters);
    };
    QAction *undo = w.action(QStringLiteral("mnuUndo"));
    QAction *redo = w.action(QStringLiteral("mnuRedo"));

    typeAt(6, QStringLiteral("abc"));
    QCOMPARE(w.changes().UndoIndex(), 4);
    undo->trigger();
    undo->trigger();
    QCOMPARE(w.r1().Text(), Template.left(6) + QStringLiteral("a") + Template.mid(6));
    typeAt(7, QStringLiteral("d"));
    QCOMPARE(w.changes().UndoIndex(), 3);

    // The state with "abc" was on the abandoned line: Redo at the newest state changes nothing.
    const QString newest = Template.left(6) + QStringLiteral("ad") + Template.mid(6);
    redo->trigger();
    QCOMPARE(w.r1().Text(), newest);
    QCOMPARE(w.changes().UndoIndex(), 3);

    undo->trigger();
    QCOMPARE(w.r1().Text(), Template.left(6) + QStringLiteral("a") + Template.mid(6));
    redo->trigger();
    QCOMPARE(w.r1().Text(), newest);
    redo->trigger();
    QCOMPARE(w.r1().Text(), newest);
}

void tst_ChangeTracker::thousandMostRecentStatesAreKept()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    for (int i = 0; i < 1200; ++i) {
        w.r1().setSelStart(w.r1().length());
        w.r1().setSelText(QStringLiteral("x"));
    }
    QCOMPARE(w.changes().UndoIndex(), 1000);
    for (int i = 1; i <= 1000; ++i) {
        w.action(QStringLiteral("mnuUndo"))->trigger();
        QCOMPARE(w.r1().length(), Template.size() + 1200 - i);
    }
    // The oldest kept state: the template with the first 200 characters.
    QCOMPARE(w.r1().Text(), Template + QString(200, u'x'));
    w.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(w.r1().Text(), Template + QString(200, u'x'));
}

void tst_ChangeTracker::typingRecoloursAndKeepsTheCaret()
{
    Editors editors;
    editors.r1.setText(QStringLiteral("ab cd"));
    editors.r1.setSelStart(2);
    QTest::keyClicks(editors.r1.widget(), QStringLiteral("<i"));
    QCOMPARE(editors.r1.colours(0, 7), QByteArray("\1\1\1\1\1\1\1"));
    QTest::keyClick(editors.r1.widget(), Qt::Key_Greater);
    QCOMPARE(editors.r1.Text(), QStringLiteral("ab<i> cd"));
    QCOMPARE(editors.r1.colours(0, 8), QByteArray("\1\1\2\2\2\1\1\1"));
    // The colouring searched and painted in rtbTemp: r1's caret stays after the typed ">".
    QCOMPARE(editors.r1.SelStart(), 5);
    QCOMPARE(editors.r1.SelLength(), 0);
    QCOMPARE(editors.saveEnabled, 4);
}

void tst_ChangeTracker::undoRestoresTheColoursOfTheText()
{
    Editors editors;
    editors.r1.setText(QStringLiteral("<!x <c>"));
    editors.r1.setSelStart(3);
    QTest::keyClick(editors.r1.widget(), Qt::Key_Greater);
    QTest::keyClick(editors.r1.widget(), Qt::Key_Space);
    editors.tracker.mnuUndo_Click();
    QCOMPARE(editors.r1.Text(), QStringLiteral("<!x> <c>"));
    QCOMPARE(editors.r1.colours(0, 8), wholeTextColours(QStringLiteral("<!x> <c>")));
}

void tst_ChangeTracker::randomEditsUndoneAndRedone()
{
    Editors editors;
    const QString original = QStringLiteral("<html>\r\n<body>\r\n<p class=\"x\">caf\u00e9</p>\r\n</body>\r\n</html>");
    editors.r1.setText(original);
    const int recorded = editors.tracker.UndoIndex();

    const QStringList pieces = {QStringLiteral("<"),
                                QStringLiteral(">"),
                                QStringLiteral("<!--"),
                                QStringLiteral("-->"),
                                QStringLiteral("\r\n"),
                                QStringLiteral("text"),
                                QStringLiteral("\u00e9\u00e8"),
                                QStringLiteral("\U0001F600"),
                                QStringLiteral("<td align=\"left\">"),
                                QString()};
    QRandomGenerator random(20240611);
    QStringList states{editors.r1.Text()};
    for (int i = 0; i < 300; ++i) {
        const int length = editors.r1.length();
        editors.r1.setSelStart(static_cast<int>(random.bounded(length + 1)));
        editors.r1.setSelLength(static_cast<int>(random.bounded(std::min(length, 12) + 1)));
        switch (random.bounded(4)) {
        case 0:
            QTest::keyClick(editors.r1.widget(), random.bounded(2) ? Qt::Key_Backspace : Qt::Key_Delete);
            break;
        case 1:
            QTest::keyClicks(editors.r1.widget(), QStringLiteral("<a>").mid(static_cast<int>(random.bounded(3)), 1));
            break;
        default:
            editors.r1.setSelText(pieces.at(static_cast<int>(random.bounded(pieces.size()))));
            break;
        }
        // Every change is one state, even one that writes the text it replaces.
        if (editors.tracker.UndoIndex() == recorded + states.size())
            states.append(editors.r1.Text());
        else
            QCOMPARE(editors.r1.Text(), states.constLast());
    }
    QVERIFY(states.size() > 200);
    QCOMPARE(editors.tracker.UndoIndex(), recorded + states.size() - 1);

    for (qsizetype i = states.size() - 2; i >= 0; --i) {
        editors.tracker.mnuUndo_Click();
        QCOMPARE(editors.r1.Text(), states.at(i));
    }
    QCOMPARE(editors.r1.Text(), original);
    QCOMPARE(editors.r1.colours(0, editors.r1.length()), wholeTextColours(original));
    for (qsizetype i = 1; i < states.size(); ++i) {
        editors.tracker.mnuRedo_Click();
        QCOMPARE(editors.r1.Text(), states.at(i));
    }
    editors.tracker.mnuRedo_Click();
    QCOMPARE(editors.r1.Text(), states.constLast());
}

ZORVANE_TEST(tst_ChangeTracker)
#include "tst_ChangeTracker.moc"
