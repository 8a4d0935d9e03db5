// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "dialogs/TableFragment.h"
#include "dialogs/frmTable.h"
#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The table every default value gives, line for line.
const QString DefaultTable =
    QStringLiteral("<TABLE WIDTH=90% BGCOLOR=#FFFFFF  BORDER=1  BORDERCOLOR=#000000 CELLSPACING=1 CELLPADDING=0>\r\n"
                   "<TR>\r\n"
                   "<TD> <!-- Row 1 - Col 1 //--> </TD>\r\n"
                   "<TD> <!-- Row 1 - Col 2 //--> </TD>\r\n"
                   "</TR>\r\n"
                   "<TR>\r\n"
                   "<TD> <!-- Row 2 - Col 1 //--> </TD>\r\n"
                   "<TD> <!-- Row 2 - Col 2 //--> </TD>\r\n"
                   "</TR>\r\n"
                   "</TABLE>\r\n");

// The nine lines after the start line of the default 2 by 2 table.
const QString DefaultBody = DefaultTable.mid(DefaultTable.indexOf(QStringLiteral("\r\n")) + 2);

const QString DefaultStart =
    QStringLiteral("<TABLE WIDTH=90% BGCOLOR=#FFFFFF  BORDER=1  BORDERCOLOR=#000000 CELLSPACING=1 CELLPADDING=0>");

// Field object names and the texts typed into them.
using Fields = QHash<QString, QString>;

template <typename Window> QList<Window *> openWindows()
{
    QList<Window *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget))
            found.append(window);
    }
    return found;
}

} // namespace

class tst_frmTable : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void generateWithDefaults();
    void generatedMarkup_data();
    void generatedMarkup();
    void appendsAfterSelection();
    void countConversion_data();
    void countConversion();
    void refusesBadCounts_data();
    void refusesBadCounts();
    void cancelLeavesDocument_data();
    void cancelLeavesDocument();
    void escapeDoesNotClose();
    void tabOrder();
    void lnOpensColourPicker();
    void menuBringsSameWindowForward();

private:
    std::unique_ptr<EditorControl> m_editor;
    std::unique_ptr<ScriptedHost> m_host;
    QPointer<frmTable> m_window;
    int m_refreshes = 0;
    int m_pickerRequests = 0;
};

void tst_frmTable::init()
{
    m_editor = std::make_unique<EditorControl>();
    m_host = std::make_unique<ScriptedHost>();
    m_refreshes = 0;
    m_pickerRequests = 0;
    m_window = new frmTable(
        *m_editor, *m_host, [this] { ++m_refreshes; }, [this] { ++m_pickerRequests; });
    m_window->show();
}

void tst_frmTable::cleanup()
{
    delete m_window;
    QVERIFY(m_host->allAnswered());
    m_host.reset();
    m_editor.reset();
}

void tst_frmTable::generateWithDefaults()
{
    m_editor->setText(QStringLiteral("<BODY>\r\n</BODY>"));
    m_editor->setSelStart(8);

    QTest::mouseClick(m_window->tbgenbtn(), Qt::LeftButton);

    QCOMPARE(m_editor->Text(), QStringLiteral("<BODY>\r\n") + DefaultTable + QStringLiteral("</BODY>"));
    QCOMPARE(m_editor->SelStart(), 8 + DefaultTable.size());
    QCOMPARE(m_editor->SelLength(), 0);
    QCOMPARE(m_refreshes, 1);
    QTRY_VERIFY(m_window.isNull());
}

void tst_frmTable::generatedMarkup_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("tail");
    QTest::addColumn<int>("lineCount");

    QTest::newRow("height 200") << Fields{{QStringLiteral("tbheighttxt"), QStringLiteral("200")}}
                                << QStringLiteral("<TABLE WIDTH=90% HEIGHT=200 BGCOLOR=#FFFFFF  BORDER=1  BORDERCOLOR=#000000 "
                                                  "CELLSPACING=1 CELLPADDING=0>")
                                << DefaultBody << 10;
    QTest::newRow("height one space") << Fields{{QStringLiteral("tbheighttxt"), QStringLiteral(" ")}}
                                      << QStringLiteral(
                                             "<TABLE WIDTH=90% HEIGHT=  BGCOLOR=#FFFFFF  BORDER=1  BORDERCOLOR=#000000 "
                                             "CELLSPACING=1 CELLPADDING=0>")
                                      << DefaultBody << 10;
    QTest::newRow("empty width") << Fields{{QStringLiteral("tbwidthtxt"), QString()}}
                                 << QStringLiteral("<TABLE WIDTH= BGCOLOR=#FFFFFF  BORDER=1  BORDERCOLOR=#000000 CELLSPACING=1 "
                                                   "CELLPADDING=0>")
                                 << DefaultBody << 10;
    QTest::newRow("colours as typed")
        << Fields{{QStringLiteral("tbbgclrtxt"), QStringLiteral("red ")},
                  {QStringLiteral("tbbdrclrtxt"), QStringLiteral("\"navy\"")}}
        << QStringLiteral("<TABLE WIDTH=90% BGCOLOR=red   BORDER=1  BORDERCOLOR=\"navy\" CELLSPACING=1 CELLPADDING=0>")
        << DefaultBody << 10;
    QTest::newRow("every value")
        << Fields{{QStringLiteral("tbwidthtxt"), QStringLiteral("400")},
                  {QStringLiteral("tbheighttxt"), QStringLiteral("50%")},
                  {QStringLiteral("tbbgclrtxt"), QStringLiteral("#C0C0C0")},
                  {QStringLiteral("tbbdrtxt"), QStringLiteral("0")},
                  {QStringLiteral("tbbdrclrtxt"), QStringLiteral("blue")},
                  {QStringLiteral("tbcelspctxt"), QStringLiteral("3")},
                  {QStringLiteral("tbcelpadtxt"), QStringLiteral("5")}}
        << QStringLiteral("<TABLE WIDTH=400 HEIGHT=50% BGCOLOR=#C0C0C0  BORDER=0  BORDERCOLOR=blue CELLSPACING=3 CELLPADDING=5>")
        << DefaultBody << 10;
    QTest::newRow("rows 0") << Fields{{QStringLiteral("tbrowstxt"), QStringLiteral("0")}} << DefaultStart
                            << QStringLiteral("</TABLE>\r\n") << 2;
    QTest::newRow("negative rows") << Fields{{QStringLiteral("tbrowstxt"), QStringLiteral("-3")}} << DefaultStart
                                   << QStringLiteral("</TABLE>\r\n") << 2;
    QTest::newRow("rows 2 columns 0") << Fields{{QStringLiteral("tbcolstxt"), QStringLiteral("0")}} << DefaultStart
                                      << QStringLiteral("<TR>\r\n</TR>\r\n<TR>\r\n</TR>\r\n</TABLE>\r\n") << 6;
    QTest::newRow("rows 1 columns 12")
        << Fields{{QStringLiteral("tbrowstxt"), QStringLiteral("1")}, {QStringLiteral("tbcolstxt"), QStringLiteral("12")}}
        << DefaultStart
        << QStringLiteral("<TD> <!-- Row 1 - Col 11 //--> </TD>\r\n<TD> <!-- Row 1 - Col 12 //--> </TD>\r\n</TR>\r\n</TABLE>\r\n")
        << 16;
    // A half rounds to the even neighbour: 2.5 gives 2 rows, 3.5 gives 4.
    QTest::newRow("rows 2.5") << Fields{{QStringLiteral("tbrowstxt"), QStringLiteral("2.5")}} << DefaultStart << DefaultBody
                              << 10;
    QTest::newRow("rows 3.5") << Fields{{QStringLiteral("tbrowstxt"), QStringLiteral("3.5")},
                                        {QStringLiteral("tbcolstxt"), QStringLiteral("1")}}
                              << DefaultStart
                              << QStringLiteral("<TR>\r\n<TD> <!-- Row 4 - Col 1 //--> </TD>\r\n</TR>\r\n</TABLE>\r\n") << 14;
}

void tst_frmTable::generatedMarkup()
{
    QFETCH(Fields, fields);
    QFETCH(QString, firstLine);
    QFETCH(QString, tail);
    QFETCH(int, lineCount);

    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        auto *edit = m_window->findChild<QLineEdit *>(it.key());
        QVERIFY2(edit, qPrintable(it.key()));
        edit->setText(it.value());
    }
    m_window->tbgenbtn()->click();

    const QString inserted = m_editor->Text();
    QCOMPARE(inserted.section(QStringLiteral("\r\n"), 0, 0), firstLine);
    QVERIFY2(inserted.endsWith(tail), qPrintable(inserted));
    QCOMPARE(inserted.count(QStringLiteral("\r\n")), lineCount);
    QVERIFY(inserted.endsWith(QStringLiteral("\r\n")));
}

void tst_frmTable::appendsAfterSelection()
{
    m_editor->setText(QStringLiteral("xx abc yy"));
    m_editor->setSelStart(3);
    m_editor->setSelLength(3);

    m_window->tbgenbtn()->click();

    QCOMPARE(m_editor->Text(), QStringLiteral("xx abc") + DefaultTable + QStringLiteral(" yy"));
    QCOMPARE(m_editor->SelStart(), 6 + DefaultTable.size());
    QCOMPARE(m_editor->SelLength(), 0);
}

void tst_frmTable::countConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("valid");

    QTest::newRow("whole") << QStringLiteral("12") << 12 << true;
    QTest::newRow("spaces around") << QStringLiteral(" 3 ") << 3 << true;
    QTest::newRow("half down to even") << QStringLiteral("2.5") << 2 << true;
    QTest::newRow("half up to even") << QStringLiteral("3.5") << 4 << true;
    QTest::newRow("negative half") << QStringLiteral("-0.5") << 0 << true;
    QTest::newRow("above half") << QStringLiteral("2.51") << 3 << true;
    QTest::newRow("largest") << QStringLiteral("32767") << 32767 << true;
    QTest::newRow("smallest") << QStringLiteral("-32768") << -32768 << true;
    QTest::newRow("rounds past largest") << QStringLiteral("32767.5") << 0 << false;
    QTest::newRow("too large") << QStringLiteral("40000") << 0 << false;
    QTest::newRow("too small") << QStringLiteral("-32769") << 0 << false;
    QTest::newRow("empty") << QString() << 0 << false;
    QTest::newRow("blank") << QStringLiteral(" ") << 0 << false;
    QTest::newRow("letters") << QStringLiteral("two") << 0 << false;
    QTest::newRow("number then letters") << QStringLiteral("2x") << 0 << false;
    QTest::newRow("infinity") << QStringLiteral("inf") << 0 << false;
}

void tst_frmTable::countConversion()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(bool, valid);

    const std::optional<int> converted = TableFragment::toCount(text);
    QCOMPARE(converted.has_value(), valid);
    if (valid)
        QCOMPARE(*converted, count);
}

void tst_frmTable::refusesBadCounts_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");

    const QString rowsMessage = QStringLiteral("Row(s) must be a number from -32768 to 32767.");
    const QString columnsMessage = QStringLiteral("Col(s) must be a number from -32768 to 32767.");
    QTest::newRow("empty rows") << QString() << QStringLiteral("2") << rowsMessage << QStringLiteral("tbrowstxt");
    QTest::newRow("letters in rows") << QStringLiteral("abc") << QStringLiteral("2") << rowsMessage
                                     << QStringLiteral("tbrowstxt");
    QTest::newRow("rows 40000") << QStringLiteral("40000") << QStringLiteral("2") << rowsMessage << QStringLiteral("tbrowstxt");
    QTest::newRow("letters in columns") << QStringLiteral("2") << QStringLiteral("x") << columnsMessage
                                        << QStringLiteral("tbcolstxt");
    QTest::newRow("too many cells") << QStringLiteral("400") << QStringLiteral("300")
                                    << QStringLiteral(
                                           "A table of 400 rows and 300 columns has 120000 cells; at most 100000 cells can "
                                           "be generated at once.")
                                    << QStringLiteral("tbrowstxt");
    QTest::newRow("largest counts") << QStringLiteral("32767") << QStringLiteral("32767")
                                    << QStringLiteral(
                                           "A table of 32767 rows and 32767 columns has 1073676289 cells; at most 100000 "
                                           "cells can be generated at once.")
                                    << QStringLiteral("tbrowstxt");
}

void tst_frmTable::refusesBadCounts()
{
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    QFETCH(QString, message);
    QFETCH(QString, focused);

    const QString document = QStringLiteral("<BODY></BODY>");
    m_editor->setText(document);
    m_window->tbrowstxt()->setText(rows);
    m_window->tbcolstxt()->setText(columns);
    m_window->tbwidthtxt()->setText(QStringLiteral("75%"));
    m_host->answerMsgBox(HostServices::Ok);

    m_window->tbgenbtn()->click();

    QCOMPARE(m_host->asked().size(), 1);
    QCOMPARE(m_host->asked().first().text, message);
    QCOMPARE(m_host->asked().first().title, QStringLiteral("Insert Table:"));
    QCOMPARE(m_host->asked().first().style, int(HostServices::OkOnly | HostServices::Exclamation));
    QCOMPARE(m_editor->Text(), document);
    QCOMPARE(m_refreshes, 0);
    QTest::qWait(0);
    QVERIFY(!m_window.isNull());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->tbrowstxt()->text(), rows);
    QCOMPARE(m_window->tbcolstxt()->text(), columns);
    QCOMPARE(m_window->tbwidthtxt()->text(), QStringLiteral("75%"));
    QCOMPARE(m_window->focusWidget()->objectName(), focused);
}

void tst_frmTable::cancelLeavesDocument_data()
{
    QTest::addColumn<bool>("byCloseButton");
    QTest::newRow("Cancel") << false;
    QTest::newRow("close button") << true;
}

void tst_frmTable::cancelLeavesDocument()
{
    QFETCH(bool, byCloseButton);

    const QString document = QStringLiteral("<BODY></BODY>");
    m_editor->setText(document);
    m_editor->setSelStart(6);
    if (byCloseButton)
        m_window->close();
    else
        m_window->cnclbtn()->click();

    QCOMPARE(m_editor->Text(), document);
    QCOMPARE(m_editor->SelStart(), 6);
    QCOMPARE(m_refreshes, 0);
    QTRY_VERIFY(m_window.isNull());
}

void tst_frmTable::escapeDoesNotClose()
{
    m_window->tbrowstxt()->setText(QStringLiteral("5"));
    QTest::keyClick(m_window->tbrowstxt(), Qt::Key_Escape);
    QTest::keyClick(m_window->cnclbtn(), Qt::Key_Escape);
    QTest::qWait(0);
    QVERIFY(!m_window.isNull());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->tbrowstxt()->text(), QStringLiteral("5"));
}

void tst_frmTable::tabOrder()
{
    const QStringList expected = {
        QStringLiteral("tbrowstxt"),   QStringLiteral("tbcolstxt"), QStringLiteral("tbwidthtxt"),  QStringLiteral("tbheighttxt"),
        QStringLiteral("tbbgclrtxt"),  QStringLiteral("tbbdrtxt"),  QStringLiteral("tbcelspctxt"), QStringLiteral("tbcelpadtxt"),
        QStringLiteral("tbbdrclrtxt"), QStringLiteral("tbgenbtn"),  QStringLiteral("ln"),          QStringLiteral("cnclbtn"),
    };
    QStringList order;
    QWidget *widget = m_window->tbrowstxt();
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != m_window->tbrowstxt());
    QCOMPARE(order, expected);
}

void tst_frmTable::lnOpensColourPicker()
{
    QCOMPARE(m_window->ln()->toolTip(), QStringLiteral("Launch ColorPicker"));
    m_window->ln()->click();
    QCOMPARE(m_pickerRequests, 1);
    QVERIFY(m_window->isVisible());
}

void tst_frmTable::menuBringsSameWindowForward()
{
    delete m_window;
    ScriptedHost host;
    frmMainWin main(host);
    QAction *menu = main.action(QStringLiteral("mnutbins"));

    menu->trigger();
    QCOMPARE(openWindows<frmTable>().size(), 1);
    QPointer<frmTable> opened = openWindows<frmTable>().first();
    QVERIFY(opened->isVisible());
    QVERIFY(opened->isWindow());
    QCOMPARE(opened->parentWidget(), &main);
    QVERIFY(opened->windowFlags().testFlag(Qt::Tool));
    opened->tbrowstxt()->setText(QStringLiteral("7"));

    main.mnutbins_Click();
    QCOMPARE(openWindows<frmTable>(), QList<frmTable *>{opened.data()});
    QCOMPARE(opened->tbrowstxt()->text(), QStringLiteral("7"));

    // After Cancel the next opening starts from the defaults.
    opened->cnclbtn()->click();
    QTRY_VERIFY(opened.isNull());
    menu->trigger();
    QCOMPARE(openWindows<frmTable>().size(), 1);
    QCOMPARE(openWindows<frmTable>().first()->tbrowstxt()->text(), QStringLiteral("2"));
}

ZORVANE_TEST(tst_frmTable)
#include "tst_frmTable.moc"
