// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "dialogs/frmPushButton.h"
#include "support/TestMain.h"

class tst_frmPushButton : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsFragment_data();
    void okInsertsFragment();
};

void tst_frmPushButton::okInsertsFragment_data()
{
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("all defaults") << QVariantMap{} << QStringLiteral("<input type=\"button\" name=\"\">");
    QTest::newRow("reset labelled Clear") << QVariantMap{{"optReset", true}, {"txtValueLabel", "Clear"}}
                                          << QStringLiteral("<input type=\"reset\" value=\"Clear\" name=\"\">");
    QTest::newRow("submit with name and tab order") << QVariantMap{{"optSubmit", true}, {"txtName", "go"}, {"txtTabOrder", "9"}}
                                                    << QStringLiteral("<input type=\"submit\" name=\"go\" tabindex=\"9\">");
    QTest::newRow("one-space label and tab order")
        << QVariantMap{{"txtValueLabel", " "}, {"txtTabOrder", " "}}
        << QStringLiteral("<input type=\"button\" value=\" \" name=\"\" tabindex=\" \">");
}

void tst_frmPushButton::okInsertsFragment()
{
    QFETCH(QVariantMap, edits);
    QFETCH(QString, fragment);

    DialogFixture fixture;
    frmPushButton form(fixture.editor, fixture.refresher());
    expectOkInserts(fixture, form, edits, fragment);
}

ZORVANE_TEST(tst_frmPushButton)
#include "tst_frmPushButton.moc"
