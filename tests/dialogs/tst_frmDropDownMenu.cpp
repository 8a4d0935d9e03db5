// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "dialogs/frmDropDownMenu.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QListWidget>

class tst_frmDropDownMenu : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsSelectList_data();
    void okInsertsSelectList();
    void addAsksAtDialogCorner();
};

void tst_frmDropDownMenu::okInsertsSelectList_data()
{
    // Steps: "add:TEXT" presses "+" and answers TEXT, "add-cancelled" presses "+" and cancels,
    // "remove:ROW" selects ROW and presses "-", "remove" presses "-" as the list stands.
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("all defaults, no items") << QVariantMap{} << QStringList{}
                                            << QStringLiteral("<select name=\"\" size=\"1\">\r\n</select>");
    QTest::newRow("Red and Green") << QVariantMap{{"txtName", "colour"}} << QStringList{"add:Red", "add:Green"}
                                   << QStringLiteral("<select name=\"colour\" size=\"1\">\r\n"
                                                     "<option value=\"Red\">Red</option>\r\n"
                                                     "<option value=\"Green\">Green</option>\r\n"
                                                     "</select>");
    QTest::newRow("duplicate") << QVariantMap{} << QStringList{"add:Red", "add:Red"}
                               << QStringLiteral("<select name=\"\" size=\"1\">\r\n"
                                                 "<option value=\"Red\">Red</option>\r\n"
                                                 "<option value=\"Red\">Red</option>\r\n"
                                                 "</select>");
    QTest::newRow("empty and cancelled answers add nothing") << QVariantMap{} << QStringList{"add:", "add-cancelled", "add:Red"}
                                                             << QStringLiteral("<select name=\"\" size=\"1\">\r\n"
                                                                               "<option value=\"Red\">Red</option>\r\n"
                                                                               "</select>");
    QTest::newRow("middle of three removed") << QVariantMap{} << QStringList{"add:Red", "add:Green", "add:Blue", "remove:1"}
                                             << QStringLiteral("<select name=\"\" size=\"1\">\r\n"
                                                               "<option value=\"Red\">Red</option>\r\n"
                                                               "<option value=\"Blue\">Blue</option>\r\n"
                                                               "</select>");
    QTest::newRow("remove with nothing selected") << QVariantMap{} << QStringList{"add:Red", "remove"}
                                                  << QStringLiteral("<select name=\"\" size=\"1\">\r\n"
                                                                    "<option value=\"Red\">Red</option>\r\n"
                                                                    "</select>");
    QTest::newRow("nothing stays selected after a removal")
        << QVariantMap{} << QStringList{"add:Red", "add:Green", "add:Blue", "remove:0", "remove"}
        << QStringLiteral("<select name=\"\" size=\"1\">\r\n"
                          "<option value=\"Green\">Green</option>\r\n"
                          "<option value=\"Blue\">Blue</option>\r\n"
                          "</select>");
    QTest::newRow("multiple and tab order 4")
        << QVariantMap{{"optYes", true}, {"txtTabOrder", "4"}} << QStringList{}
        << QStringLiteral("<select name=\"\" size=\"1\" multiple tabindex=\"4\">\r\n</select>");
    QTest::newRow("texts as typed") << QVariantMap{{"txtHeight", " "}, {"txtTabOrder", " "}} << QStringList{"add:big \"red\" one"}
                                    << QStringLiteral("<select name=\"\" size=\" \" tabindex=\" \">\r\n"
                                                      "<option value=\"big \"red\" one\">big \"red\" one</option>\r\n"
                                                      "</select>");
}

void tst_frmDropDownMenu::okInsertsSelectList()
{
    QFETCH(QVariantMap, edits);
    QFETCH(QStringList, steps);
    QFETCH(QString, fragment);

    DialogFixture fixture;
    ScriptedHost host;
    frmDropDownMenu form(fixture.editor, host, fixture.refresher());
    auto *items = control<QListWidget>(form, QStringLiteral("lstItems"));
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1String("add:"))) {
            host.answerInputBox(step.mid(4));
            control<QPushButton>(form, QStringLiteral("cmdAdd"))->click();
        } else if (step == QLatin1String("add-cancelled")) {
            host.answerInputBox(std::nullopt);
            control<QPushButton>(form, QStringLiteral("cmdAdd"))->click();
        } else {
            if (step.startsWith(QLatin1String("remove:")))
                items->setCurrentRow(step.mid(7).toInt());
            control<QPushButton>(form, QStringLiteral("cmdRemove"))->click();
        }
    }
    QVERIFY(host.allAnswered());
    expectOkInserts(fixture, form, edits, fragment);
}

void tst_frmDropDownMenu::addAsksAtDialogCorner()
{
    DialogFixture fixture;
    ScriptedHost host;
    frmDropDownMenu form(fixture.editor, host, fixture.refresher());
    form.move(120, 80);
    host.answerInputBox(QStringLiteral("Red"));
    control<QPushButton>(form, QStringLiteral("cmdAdd"))->click();

    QCOMPARE(host.asked().size(), 1);
    const ScriptedHost::Question &asked = host.asked().first();
    QCOMPARE(asked.kind, QStringLiteral("InputBox"));
    QCOMPARE(asked.text, QStringLiteral("Enter Text"));
    QCOMPARE(asked.title, QStringLiteral("Insert New Menu Item"));
    QCOMPARE(asked.defaultText, QString());
    QCOMPARE(asked.xTwips, 120 * 15);
    QCOMPARE(asked.yTwips, 80 * 15);
}

ZORVANE_TEST(tst_frmDropDownMenu)
#include "tst_frmDropDownMenu.moc"
