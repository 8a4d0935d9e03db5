// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "dialogs/frmCheckBox.h"
#include "support/TestMain.h"

class tst_frmCheckBox : public QObject
{
    Q_OBJECT

private slots:
    void okInsertsFragment_data();
    void okInsertsFragment();
};

void tst_frmCheckBox::okInsertsFragment_data()
{
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("all defaults") << QVariantMap{} << QStringLiteral("<input type=\"checkbox\" name=\"\" value=\"\">");
    QTest::newRow("checked with tab order 2")
        << QVariantMap{{"optChecked", true}, {"Text1", "2"}}
        << QStringLiteral("<input type=\"checkbox\" name=\"\" value=\"\" checked tabindex=\"2\">");
    QTest::newRow("name and value") << QVariantMap{{"txtName", "news"}, {"txtValue", "yes"}}
                                    << QStringLiteral("<input type=\"checkbox\" name=\"news\" value=\"yes\">");
    QTest::newRow("one-space tab order") << QVariantMap{{"Text1", " "}}
                                         << QStringLiteral("<input type=\"checkbox\" name=\"\" value=\"\" tabindex=\" \">");
    QTest::newRow("quote in value") << QVariantMap{{"txtValue", "a\"b"}}
                                    << QStringLiteral("<input type=\"checkbox\" name=\"\" value=\"a\"b\">");
}

void tst_frmCheckBox::okInsertsFragment()
{
    QFETCH(QVariantMap, edits);
    QFETCH(QString, fragment);

    DialogFixture fixture;
    frmCheckBox form(fixture.editor, fixture.refresher());
    expectOkInserts(fixture, form, edits, fragment);
}

ZORVANE_TEST(tst_frmCheckBox)
#include "tst_frmCheckBox.moc"
