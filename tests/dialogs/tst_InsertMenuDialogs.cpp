// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "app/frmMainWin.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>

using namespace Qt::StringLiterals;

// The Insert menu items open their dialogs over the main window and insert into its editor.
class tst_InsertMenuDialogs : public QObject
{
    Q_OBJECT

private slots:
    void menuItemOpensDialog_data();
    void menuItemOpensDialog();
    void bookmarkAsksAtWindowCorner();
};

void tst_InsertMenuDialogs::menuItemOpensDialog_data()
{
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QString>("okName");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("hyperlink") << u"mnuHyperLink"_s << u"frmHyperLink"_s << QVariantMap{{"Combo1", "New Window"}} << u"Command2"_s
                               << u"<a href=\"http://\" target=\"_blank\"></a>"_s;
    QTest::newRow("one-line text box") << u"mnuOneLineTextBox"_s << u"frmOneLineTextBox"_s << QVariantMap{} << u"cmdOK"_s
                                       << u"<input type=\"text\" size=\"20\">"_s;
    QTest::newRow("scrolling text box") << u"mnuScrollingTextBox"_s << u"frmScrollingTextBox"_s << QVariantMap{} << u"cmdOK"_s
                                        << u"<textarea rows=\"2\" name=\"\" cols=\"20\"></textarea>"_s;
    QTest::newRow("check box") << u"mnuCheckBox"_s << u"frmCheckBox"_s << QVariantMap{} << u"cmdOK"_s
                               << u"<input type=\"checkbox\" name=\"\" value=\"\">"_s;
    QTest::newRow("radio button") << u"mnuRadioButton"_s << u"frmRadioButton"_s << QVariantMap{} << u"cmdOK"_s
                                  << u"<input type=\"radio\" value=\"\" name=\"\">"_s;
    QTest::newRow("push button") << u"mnuPushButton"_s << u"frmPushButton"_s << QVariantMap{} << u"cmdOK"_s
                                 << u"<input type=\"button\" name=\"\">"_s;
    QTest::newRow("drop-down menu") << u"mnuDropDownMenu"_s << u"frmDropDownMenu"_s << QVariantMap{} << u"cmdOK"_s
                                    << u"<select name=\"\" size=\"1\">\r\n</select>"_s;
}

void tst_InsertMenuDialogs::menuItemOpensDialog()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, form);
    QFETCH(QVariantMap, edits);
    QFETCH(QString, okName);
    QFETCH(QString, fragment);

    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    const QString before = w.r1().Text();
    QWidget *owner = nullptr;
    host.answerModal([&](QDialog &dialog) {
        owner = dialog.parentWidget();
        applyEdits(dialog, edits);
        control<QPushButton>(dialog, okName)->click();
        return dialog.result();
    });
    w.action(menuItem)->trigger();

    QVERIFY(host.allAnswered());
    QCOMPARE(host.asked().first().text, form);
    QCOMPARE(owner, &w);
    QCOMPARE(w.r1().Text(), fragment + before);
}

void tst_InsertMenuDialogs::bookmarkAsksAtWindowCorner()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    const QString before = w.r1().Text();
    w.move(40, 30);
    host.answerInputBox(u"top"_s);
    w.action(u"mnuBookmark"_s)->trigger();

    QCOMPARE(w.r1().Text(), u"<a name=\"top\"></a>"_s + before);
    const ScriptedHost::Question &asked = host.asked().first();
    QCOMPARE(asked.text, u"Enter Bookmark Name"_s);
    QCOMPARE(asked.xTwips, 40 * 15);
    QCOMPARE(asked.yTwips, 30 * 15);
}

ZORVANE_TEST(tst_InsertMenuDialogs)
#include "tst_InsertMenuDialogs.moc"
