// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "dialogs/frmColCode.h"
#include "dialogs/frmTable.h"
#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

QList<frmColCode *> openPickers()
{
    QList<frmColCode *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<frmColCode *>(widget))
            found.append(window);
    }
    return found;
}

QColor swatch(const frmColCode &window)
{
    return window.clrBox()->palette().color(QPalette::Window);
}

} // namespace

class tst_frmColCode : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsBlack();
    void barsMixTheCode_data();
    void barsMixTheCode();
    void draggedThumbUpdatesOnRelease();
    void typedValuesMoveNothing();
    void copyPutsCodeOnClipboard();
    void addInsertsCodeAfterSelection_data();
    void addInsertsCodeAfterSelection();
    void closeLeavesDocument();
    void menuAndTableShareOneWindow();

private:
    std::unique_ptr<EditorControl> m_editor;
    std::unique_ptr<ScriptedHost> m_host;
    QPointer<frmColCode> m_window;
    int m_refreshes = 0;
};

void tst_frmColCode::init()
{
    m_editor = std::make_unique<EditorControl>();
    m_host = std::make_unique<ScriptedHost>();
    m_refreshes = 0;
    m_window = new frmColCode(*m_editor, *m_host, [this] { ++m_refreshes; });
    m_window->show();
}

void tst_frmColCode::cleanup()
{
    delete m_window;
    QVERIFY(m_host->allAnswered());
    m_host.reset();
    m_editor.reset();
}

void tst_frmColCode::startsBlack()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Insert Color:"));
    for (QScrollBar *bar : {m_window->Red(), m_window->Green(), m_window->Blue()}) {
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 255);
        QCOMPARE(bar->orientation(), Qt::Horizontal);
    }
    for (QLineEdit *value : {m_window->RText(), m_window->GText(), m_window->BText()})
        QCOMPARE(value->text(), QStringLiteral("0"));
    QCOMPARE(m_window->HexT()->text(), QStringLiteral("#000000"));
    QCOMPARE(swatch(*m_window), QColor(Qt::black));
    QCOMPARE(m_window->HexT()->palette().color(QPalette::Text), QColor(0xFF, 0x80, 0x80));
    QCOMPARE(m_window->HexT()->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(m_window->RText()->palette().color(QPalette::Base), QColor(0xFF, 0x00, 0x00));
    QCOMPARE(m_window->GText()->palette().color(QPalette::Base), QColor(0x00, 0xFF, 0x00));
    QCOMPARE(m_window->BText()->palette().color(QPalette::Base), QColor(0x00, 0x00, 0xFF));
}

void tst_frmColCode::barsMixTheCode_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("code");

    QTest::newRow("red 255") << 255 << 0 << 0 << QStringLiteral("#FF0000");
    QTest::newRow("green 10") << 0 << 10 << 0 << QStringLiteral("#000A00");
    QTest::newRow("blue last") << 0 << 0 << 171 << QStringLiteral("#0000AB");
    QTest::newRow("all 255") << 255 << 255 << 255 << QStringLiteral("#FFFFFF");
    QTest::newRow("mixed") << 1 << 128 << 254 << QStringLiteral("#0180FE");
}

void tst_frmColCode::barsMixTheCode()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QString, code);

    m_window->HexT()->setText(QStringLiteral("typed"));
    m_window->Red()->setValue(red);
    m_window->Green()->setValue(green);
    m_window->Blue()->setValue(blue);

    QCOMPARE(m_window->RText()->text(), QString::number(red));
    QCOMPARE(m_window->GText()->text(), QString::number(green));
    QCOMPARE(m_window->BText()->text(), QString::number(blue));
    QCOMPARE(m_window->HexT()->text(), code);
    QCOMPARE(swatch(*m_window), QColor(code));
}

void tst_frmColCode::draggedThumbUpdatesOnRelease()
{
    QScrollBar *bar = m_window->Red();
    bar->setSliderDown(true);
    bar->setSliderPosition(100);
    QCOMPARE(m_window->HexT()->text(), QStringLiteral("#000000"));
    QCOMPARE(m_window->RText()->text(), QStringLiteral("0"));

    bar->setSliderDown(false);
    QCOMPARE(m_window->RText()->text(), QStringLiteral("100"));
    QCOMPARE(m_window->HexT()->text(), QStringLiteral("#640000"));

    // Keys change the value at once, Right and Left as the bar is drawn.
    QTest::keyClick(m_window->Green(), Qt::Key_Right);
    QCOMPARE(m_window->HexT()->text(), QStringLiteral("#640100"));
    QTest::keyClick(m_window->Red(), Qt::Key_Left);
    QCOMPARE(m_window->HexT()->text(), QStringLiteral("#630100"));
}

void tst_frmColCode::typedValuesMoveNothing()
{
    m_window->RText()->clear();
    QTest::keyClicks(m_window->RText(), QStringLiteral("200"));
    QCOMPARE(m_window->Red()->value(), 0);
    QCOMPARE(m_window->HexT()->text(), QStringLiteral("#000000"));
    QCOMPARE(swatch(*m_window), QColor(Qt::black));

    m_window->HexT()->clear();
    QTest::keyClicks(m_window->HexT(), QStringLiteral("#123456"));
    QCOMPARE(swatch(*m_window), QColor(Qt::black));

    // Moving a bar rewrites every field from the bars.
    m_window->Blue()->setValue(1);
    QCOMPARE(m_window->RText()->text(), QStringLiteral("0"));
    QCOMPARE(m_window->HexT()->text(), QStringLiteral("#000001"));
}

void tst_frmColCode::copyPutsCodeOnClipboard()
{
    const QString document = QStringLiteral("<BODY></BODY>");
    m_editor->setText(document);
    m_host->answerMsgBox(HostServices::Ok);

    QCOMPARE(m_window->clipcopybtn()->toolTip(), QStringLiteral("Copy Color Code to Clipboard"));
    QTest::mouseClick(m_window->clipcopybtn(), Qt::LeftButton);

    QCOMPARE(m_host->clipboard(), QStringLiteral("#000000"));
    QCOMPARE(m_host->asked().size(), 1);
    QCOMPARE(m_host->asked().first().text, QStringLiteral("Color Copied to clipboard!"));
    QCOMPARE(m_host->asked().first().title, QStringLiteral("Copied"));
    QCOMPARE(m_host->asked().first().style, 64);
    QCOMPARE(m_editor->Text(), document);
    QCOMPARE(m_refreshes, 0);
    QTest::qWait(0);
    QVERIFY(!m_window.isNull());
    QVERIFY(m_window->isVisible());
}

void tst_frmColCode::addInsertsCodeAfterSelection_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<QString>("typedCode");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");

    QTest::newRow("after selected abc") << 255 << QString() << 3 << 3 << QStringLiteral("xx abc#FF0000 yy") << 13;
    QTest::newRow("at the caret") << 255 << QString() << 3 << 0 << QStringLiteral("xx #FF0000abc yy") << 10;
    QTest::newRow("typed code as typed") << 255 << QStringLiteral("#123456") << 6 << 0 << QStringLiteral("xx abc#123456 yy")
                                         << 13;
}

void tst_frmColCode::addInsertsCodeAfterSelection()
{
    QFETCH(int, red);
    QFETCH(QString, typedCode);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, result);
    QFETCH(int, caret);

    m_editor->setText(QStringLiteral("xx abc yy"));
    m_editor->setSelStart(selStart);
    m_editor->setSelLength(selLength);
    m_window->Red()->setValue(red);
    if (!typedCode.isEmpty()) {
        m_window->HexT()->clear();
        QTest::keyClicks(m_window->HexT(), typedCode);
    }

    QCOMPARE(m_window->addcolbtn()->toolTip(), QStringLiteral("Add Color Code.."));
    QTest::mouseClick(m_window->addcolbtn(), Qt::LeftButton);

    QCOMPARE(m_editor->Text(), result);
    QCOMPARE(m_editor->SelStart(), caret);
    QCOMPARE(m_editor->SelLength(), 0);
    QCOMPARE(m_refreshes, 1);
    QTRY_VERIFY(m_window.isNull());
}

void tst_frmColCode::closeLeavesDocument()
{
    const QString document = QStringLiteral("<BODY></BODY>");
    m_editor->setText(document);
    m_window->close();
    QCOMPARE(m_editor->Text(), document);
    QCOMPARE(m_refreshes, 0);
    QTRY_VERIFY(m_window.isNull());
}

void tst_frmColCode::menuAndTableShareOneWindow()
{
    delete m_window;
    ScriptedHost host;
    frmMainWin main(host);

    main.action(QStringLiteral("mnuhxcol"))->trigger();
    QCOMPARE(openPickers().size(), 1);
    QPointer<frmColCode> picker = openPickers().first();
    QVERIFY(picker->isVisible());
    QVERIFY(picker->isWindow());
    QCOMPARE(picker->parentWidget(), &main);
    QVERIFY(picker->windowFlags().testFlag(Qt::Tool));
    picker->Green()->setValue(10);

    // The table generator's button brings forward the same picker with its colour.
    main.mnutbins_Click();
    frmTable *table = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<frmTable *>(widget))
            table = window;
    }
    QVERIFY(table);
    table->ln()->click();
    QCOMPARE(openPickers(), QList<frmColCode *>{picker.data()});
    QCOMPARE(picker->HexT()->text(), QStringLiteral("#000A00"));

    // After its close the next opening starts black again.
    picker->close();
    QTRY_VERIFY(picker.isNull());
    main.mnuhxcol_Click();
    QCOMPARE(openPickers().size(), 1);
    QCOMPARE(openPickers().first()->HexT()->text(), QStringLiteral("#000000"));
}

ZORVANE_TEST(tst_frmColCode)
#include "tst_frmColCode.moc"
