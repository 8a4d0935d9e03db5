// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "dialogs/frmCheckBox.h"
#include "dialogs/frmDropDownMenu.h"
#include "dialogs/frmHyperLink.h"
#include "dialogs/frmOneLineTextBox.h"
#include "dialogs/frmPushButton.h"
#include "dialogs/frmRadioButton.h"
#include "dialogs/frmScrollingTextBox.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<QDialog> makeForm(const QString &name, DialogFixture &fixture, ScriptedHost &host)
{
    if (name == u"frmHyperLink")
        return std::make_unique<frmHyperLink>(fixture.editor, host, fixture.refresher());
    if (name == u"frmOneLineTextBox")
        return std::make_unique<frmOneLineTextBox>(fixture.editor, fixture.refresher());
    if (name == u"frmScrollingTextBox")
        return std::make_unique<frmScrollingTextBox>(fixture.editor, fixture.refresher());
    if (name == u"frmCheckBox")
        return std::make_unique<frmCheckBox>(fixture.editor, fixture.refresher());
    if (name == u"frmRadioButton")
        return std::make_unique<frmRadioButton>(fixture.editor, fixture.refresher());
    if (name == u"frmPushButton")
        return std::make_unique<frmPushButton>(fixture.editor, fixture.refresher());
    return std::make_unique<frmDropDownMenu>(fixture.editor, host, fixture.refresher());
}

} // namespace

// What the seven forms share as windows: title, focus, tab order, Enter, Esc and Cancel.
class tst_ElementDialogKeys : public QObject
{
    Q_OBJECT

private slots:
    void openingAndEnter_data();
    void openingAndEnter();
    void cancel_data();
    void cancel();
};

void tst_ElementDialogKeys::openingAndEnter_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("stops"); // from the control focused at opening
    QTest::addColumn<bool>("enterPressesOk");

    QTest::newRow("hyperlink") << u"frmHyperLink"_s << u"Insert HyperLink"_s
                               << QStringList{"Text1", "cmdFile", "cmdEmail", "cmdBookmark", "Combo1", "Command2", "Command3"}
                               << true;
    QTest::newRow("one-line text box") << u"frmOneLineTextBox"_s << u"Insert One-Line Text Box"_s
                                       << QStringList{"txtName", "txtInitialValue", "txtWidth", "txtTabOrder",
                                                      "optNo",   "cmdOK",           "cmdCancel"}
                                       << true;
    QTest::newRow("scrolling text box") << u"frmScrollingTextBox"_s << u"Insert Scrolling Text Box"_s
                                        << QStringList{"txtName",     "Text1", "txtWidth", "txtNumberOfLines",
                                                       "txtTabOrder", "cmdOK", "cmdCancel"}
                                        << false;
    QTest::newRow("check box") << u"frmCheckBox"_s << u"Insert Check Box"_s
                               << QStringList{"txtName", "txtValue", "optNotChecked", "Text1", "cmdOK", "cmdCancel"} << true;
    QTest::newRow("radio button") << u"frmRadioButton"_s << u"Insert Radio Button"_s
                                  << QStringList{"txtName", "txtValue", "optNotSelected", "Text1", "cmdOK", "cmdCancel"} << true;
    QTest::newRow("push button") << u"frmPushButton"_s << u"Insert Push Button"_s
                                 << QStringList{"txtName", "txtValueLabel", "optNormal", "txtTabOrder", "cmdOK", "cmdCancel"}
                                 << true;
    QTest::newRow("drop-down menu") << u"frmDropDownMenu"_s << u"Insert Drop-Down Menu"_s
                                    << QStringList{"txtName", "txtHeight", "txtTabOrder", "Option2",  "lstItems",
                                                   "cmdOK",   "cmdCancel", "cmdAdd",      "cmdRemove"}
                                    << true;
}

void tst_ElementDialogKeys::openingAndEnter()
{
    QFETCH(QString, form);
    QFETCH(QString, title);
    QFETCH(QStringList, stops);
    QFETCH(bool, enterPressesOk);

    DialogFixture fixture;
    ScriptedHost host;
    std::unique_ptr<QDialog> dialog = makeForm(form, fixture, host);
    QCOMPARE(dialog->objectName(), form);
    QCOMPARE(dialog->windowTitle(), title);
    QVERIFY(!(dialog->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
    QVERIFY(showActive(*dialog));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());

    // Going once round the tab order must leave Enter where it belongs.
    QCOMPARE(tabStops(*dialog), stops);
    QCOMPARE(QApplication::focusWidget()->objectName(), stops.first());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    if (enterPressesOk) {
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(fixture.editor.Text() != u"<body>\r\n</body>"_s);
    } else {
        QVERIFY(dialog->isVisible());
        QCOMPARE(fixture.editor.Text(), u"<body>\r\n</body>"_s);
    }
}

void tst_ElementDialogKeys::cancel_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("escape"); // press Esc instead of clicking Cancel
    QTest::addColumn<int>("refreshes");

    const QList<std::pair<QString, int>> forms = {
        {u"frmHyperLink"_s, 1},   {u"frmOneLineTextBox"_s, 1}, {u"frmScrollingTextBox"_s, 1}, {u"frmCheckBox"_s, 0},
        {u"frmRadioButton"_s, 1}, {u"frmPushButton"_s, 1},     {u"frmDropDownMenu"_s, 0},
    };
    for (const auto &[form, refreshes] : forms) {
        QTest::addRow("%s click", qPrintable(form)) << form << false << refreshes;
        QTest::addRow("%s Esc", qPrintable(form)) << form << true << refreshes;
    }
}

void tst_ElementDialogKeys::cancel()
{
    QFETCH(QString, form);
    QFETCH(bool, escape);
    QFETCH(int, refreshes);

    DialogFixture fixture;
    ScriptedHost host;
    std::unique_ptr<QDialog> dialog = makeForm(form, fixture, host);
    QVERIFY(showActive(*dialog));
    if (escape) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else {
        const QString cancelName = form == u"frmHyperLink" ? u"Command3"_s : u"cmdCancel"_s;
        control<QPushButton>(*dialog, cancelName)->click();
    }

    QTRY_VERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(fixture.refreshes, refreshes);
    QCOMPARE(fixture.editor.Text(), u"<body>\r\n</body>"_s);
}

ZORVANE_TEST(tst_ElementDialogKeys)
#include "tst_ElementDialogKeys.moc"
