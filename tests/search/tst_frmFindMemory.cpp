// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/frmFind.h"

#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>

// The find dialog remembers, across openings and runs, the texts searched for and put in and
// the options; its fields still start as a fresh dialog's do.
class tst_frmFindMemory : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }
    void nextOpeningOffersEarlierTexts();
    void optionsComeBack();
    void listsStayShortAndMostRecentFirst();

private:
    struct Dialog {
        explicit Dialog(const QString &text, int selStart = 0, int selLength = 0)
        {
            editor.setText(text);
            editor.setSelStart(selStart);
            editor.setSelLength(selLength);
            dialog = new frmFind(editor, host, mnuFind, [] {});
        }
        ~Dialog() { delete dialog.data(); }
        QComboBox *combo(const char *name) const { return dialog->findChild<QComboBox *>(QLatin1String(name)); }
        QCheckBox *check(const char *name) const { return dialog->findChild<QCheckBox *>(QLatin1String(name)); }
        void click(const char *name) const { dialog->findChild<QPushButton *>(QLatin1String(name))->click(); }
        QStringList items(const char *name) const
        {
            QStringList texts;
            for (int i = 0; i < combo(name)->count(); ++i)
                texts << combo(name)->itemText(i);
            return texts;
        }

        ScriptedHost host;
        QAction mnuFind{QStringLiteral("Find and Replace")};
        EditorControl editor;
        QPointer<frmFind> dialog;
    };
};

void tst_frmFindMemory::nextOpeningOffersEarlierTexts()
{
    {
        Dialog first(QStringLiteral("one two one"));
        first.combo("cboFind")->setEditText(QStringLiteral("one"));
        first.combo("cboReplace")->setEditText(QStringLiteral("1"));
        first.host.answerMsgBox(HostServices::Ok);
        first.click("cmdReplaceAll");
        QCOMPARE(first.editor.Text(), QStringLiteral("1 two 1"));
        // A plain search remembers its text, not the replacement field's.
        first.combo("cboFind")->setEditText(QStringLiteral("two"));
        first.combo("cboReplace")->setEditText(QStringLiteral("unused"));
        first.click("cmdFind");
        // Offered at once in this dialog too, while its fields keep what was typed.
        QCOMPARE(first.items("cboFind"), QStringList({QString(), QStringLiteral("one"), QStringLiteral("two")}));
        QCOMPARE(first.combo("cboFind")->currentText(), QStringLiteral("two"));
    }
    // Nothing selected: the field starts empty, with the earlier texts in its list.
    Dialog empty(QStringLiteral("text"));
    QCOMPARE(empty.combo("cboFind")->currentText(), QString());
    QCOMPARE(empty.items("cboFind"), QStringList({QString(), QStringLiteral("two"), QStringLiteral("one")}));
    QCOMPARE(empty.combo("cboReplace")->currentText(), QString());
    QCOMPARE(empty.items("cboReplace"), QStringList({QStringLiteral("1")}));
    // A selection still fills the field, and is not listed twice.
    Dialog selected(QStringLiteral("one two"), 0, 3);
    QCOMPARE(selected.combo("cboFind")->currentText(), QStringLiteral("one"));
    QCOMPARE(selected.items("cboFind"), QStringList({QStringLiteral("one"), QStringLiteral("two")}));
}

void tst_frmFindMemory::optionsComeBack()
{
    {
        Dialog first(QStringLiteral("text"));
        first.check("chkMatchCase")->setChecked(true);
        first.check("chkNoHighlight")->setChecked(true);
    }
    Dialog next(QStringLiteral("text"));
    QVERIFY(!next.check("chkWholeWord")->isChecked());
    QVERIFY(next.check("chkMatchCase")->isChecked());
    QVERIFY(next.check("chkNoHighlight")->isChecked());
    next.check("chkMatchCase")->setChecked(false);
    Dialog third(QStringLiteral("text"));
    QVERIFY(!third.check("chkMatchCase")->isChecked());
}

void tst_frmFindMemory::listsStayShortAndMostRecentFirst()
{
    {
        Dialog d(QStringLiteral("x"));
        for (int i = 1; i <= 12; ++i) {
            d.combo("cboFind")->setEditText(QStringLiteral("t%1").arg(i));
            d.host.answerMsgBox(HostServices::Ok); // "Text Not Found"
            d.click("cmdFind");
        }
        d.combo("cboFind")->setEditText(QStringLiteral("t5"));
        d.host.answerMsgBox(HostServices::Ok);
        d.click("cmdFind");
        // An empty search text is nothing to remember.
        d.combo("cboFind")->setEditText(QString());
        d.host.answerMsgBox(HostServices::Ok);
        d.click("cmdFind");
    }
    Dialog next(QStringLiteral("x"));
    QCOMPARE(next.items("cboFind"),
             QStringList({QString(), QStringLiteral("t5"), QStringLiteral("t12"), QStringLiteral("t11"), QStringLiteral("t10"),
                          QStringLiteral("t9"), QStringLiteral("t8"), QStringLiteral("t7"), QStringLiteral("t6"),
                          QStringLiteral("t4"), QStringLiteral("t3")}));
}

ZORVANE_TEST(tst_frmFindMemory)
#include "tst_frmFindMemory.moc"
