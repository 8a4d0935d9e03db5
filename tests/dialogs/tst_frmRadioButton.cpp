// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "dialogs/frmRadioButton.h"
#include "support/TestMain.h"

class tst_frmRadioButton : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsFragment_data();
    void okInsertsFragment();
};

void tst_frmRadioButton::okInsertsFragment_data()
{
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("all defaults") << QVariantMap{} << QStringLiteral("<input type=\"radio\" value=\"\" name=\"\">");
    QTest::newRow("selected") << QVariantMap{{"optSelected", true}}
                              << QStringLiteral("<input type=\"radio\" value=\"\" checked name=\"\">");
    QTest::newRow("value before checked, name last")
        << QVariantMap{{"txtName", "size"}, {"txtValue", "L"}, {"optSelected", true}, {"Text1", "7"}}
        << QStringLiteral("<input type=\"radio\" value=\"L\" checked name=\"size\" tabindex=\"7\">");
    QTest::newRow("one-space tab order") << QVariantMap{{"Text1", " "}}
                                         << QStringLiteral("<input type=\"radio\" value=\"\" name=\"\" tabindex=\" \">");
}

void tst_frmRadioButton::okInsertsFragment()
{
    QFETCH(QVariantMap, edits);
    QFETCH(QString, fragment);

    DialogFixture fixture;
    frmRadioButton form(fixture.editor, fixture.refresher());
    expectOkInserts(fixture, form, edits, fragment);
}

ZORVANE_TEST(tst_frmRadioButton)
#include "tst_frmRadioButton.moc"
