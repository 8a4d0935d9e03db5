// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "dialogs/frmOneLineTextBox.h"
#include "support/TestMain.h"

class tst_frmOneLineTextBox : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsFragment_data();
    void okInsertsFragment();
};

void tst_frmOneLineTextBox::okInsertsFragment_data()
{
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("all defaults") << QVariantMap{} << QStringLiteral("<input type=\"text\" size=\"20\">");
    QTest::newRow("password example")
        << QVariantMap{{"txtName", "user"}, {"optYes", true}, {"txtInitialValue", "x"}, {"txtTabOrder", "3"}}
        << QStringLiteral("<input type=\"password\" name=\"user\" size=\"20\" value=\"x\" tabindex=\"3\">");
    QTest::newRow("one space is not empty") << QVariantMap{{"txtName", " "}, {"txtInitialValue", " "}, {"txtTabOrder", " "}}
                                            << QStringLiteral(
                                                   "<input type=\"text\" name=\" \" size=\"20\" value=\" \" tabindex=\" \">");
    QTest::newRow("empty width still written")
        << QVariantMap{{"txtWidth", ""}} << QStringLiteral("<input type=\"text\" size=\"\">");
    QTest::newRow("texts as typed") << QVariantMap{{"txtInitialValue", "say \"hi\" & <go>"}, {"txtWidth", "wide"}}
                                    << QStringLiteral("<input type=\"text\" size=\"wide\" value=\"say \"hi\" & <go>\">");
}

void tst_frmOneLineTextBox::okInsertsFragment()
{
    QFETCH(QVariantMap, edits);
    QFETCH(QString, fragment);

    DialogFixture fixture;
    frmOneLineTextBox form(fixture.editor, fixture.refresher());
    expectOkInserts(fixture, form, edits, fragment);
}

ZORVANE_TEST(tst_frmOneLineTextBox)
#include "tst_frmOneLineTextBox.moc"
