// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "dialogs/frmFrames.h"
#include "editor/EditorControl.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QList<frmFrames *> openFrameWindows()
{
    QList<frmFrames *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<frmFrames *>(widget))
            found.append(window);
    }
    return found;
}

} // namespace

class tst_frmFrames : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addCodeInsertsTemplate_data();
    void addCodeInsertsTemplate();
    void selectionStaysSelected();
    void loadRefreshesPreviewOnce();
    void diagrams_data();
    void diagrams();
    void menuBringsSameWindowForward();

private:
    std::unique_ptr<EditorControl> m_editor;
    QPointer<frmFrames> m_window;
    int m_refreshes = 0;
};

void tst_frmFrames::init()
{
    m_editor = std::make_unique<EditorControl>();
    m_refreshes = 0;
    m_window = new frmFrames(*m_editor, [this] { ++m_refreshes; });
    m_window->show();
}

void tst_frmFrames::cleanup()
{
    delete m_window;
    m_editor.reset();
}

void tst_frmFrames::addCodeInsertsTemplate_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("code");

    QTest::newRow("frmd1") << 1
                           << QStringLiteral("<frameset cols='80,*' frameborder='NO' border='0' framespacing='0'>\r\n"
                                             "  <frame src='Toppage.html' name='topFrame' scrolling='NO' noresize>\r\n"
                                             "   <frame src='Botompage.html' name='bottomFrame'>\r\n"
                                             "</frameset>\r\n");
    QTest::newRow("frmd2") << 2
                           << QStringLiteral("<frameset rows='80,*' frameborder='NO' border='0' framespacing='0'>\r\n"
                                             "  <frame src='Leftpage.html' name='LeftFrame' scrolling='NO' noresize>\r\n"
                                             "   <frame src='Rightpage.html' name='RightFrame'>\r\n"
                                             "</frameset>\r\n");
    QTest::newRow("frmd3") << 3
                           << QStringLiteral("<frameset cols='80,*' rows='*' frameborder='NO' border='0' framespacing='0'>\r\n"
                                             "  <frame src='Toppage.html' name='topFrame' scrolling='NO' noresize >\r\n"
                                             "  <frameset cols='80,*' frameborder='NO' border='0' framespacing='0'>\r\n"
                                             "    <frame src='BottomLeftpage.html' name='leftFrame' scrolling='NO' noresize>\r\n"
                                             "    <frame src='Bottomrightpage.html' name='RightFrame'>\r\n"
                                             "  </frameset>\r\n"
                                             "</frameset>\r\n");
    QTest::newRow("frmd4") << 4
                           << QStringLiteral(
                                  "<frameset rows='80,*' cols='*' frameborder='NO' border='0' framespacing='0'>\r\n"
                                  "  <frame src='Leftpage.html' name='LeftFrame' scrolling='NO' noresize >\r\n"
                                  "  <frameset rows='80,*' frameborder='NO' border='0' framespacing='0'>\r\n"
                                  "    <frame src='TopRightpage.html' name='TopRightFrame' scrolling='NO' noresize>\r\n"
                                  "    <frame src='BottomRightpage.html' name='BottomRightFrame'>\r\n"
                                  "  </frameset>\r\n"
                                  "</frameset>\r\n");
    QTest::newRow("frmd5") << 5
                           << QStringLiteral("<frameset cols='33%,33%, 34%' frameborder='NO' border='0' framespacing='0'>\r\n"
                                             "  <frame src='LeftMostPage.html' name='LeftMostFrame'>\r\n"
                                             "  <frame src='MidPage.html' name='MidFrame'>\r\n"
                                             "  <frame src='RightMostPage.html' name='RightMostFrame'>\r\n"
                                             "</frameset>\r\n");
    QTest::newRow("frmd6") << 6
                           << QStringLiteral("<frameset rows='33%,33%, 34%' frameborder='NO' border='0' framespacing='0'>\r\n"
                                             "  <frame src='TopMostPage.html' name='TopMostFrame'>\r\n"
                                             "  <frame src='MidPage.html' name='MidFrame'>\r\n"
                                             "  <frame src='BottomMostPage.html' name='BottomMostFrame'>\r\n"
                                             "</frameset>\r\n");
}

void tst_frmFrames::addCodeInsertsTemplate()
{
    QFETCH(int, button);
    QFETCH(QString, code);

    m_editor->setText(QStringLiteral("<HEAD>\r\n\r\n</HEAD>"));
    m_editor->setSelStart(8);
    QPushButton *addCode = m_window->findChild<QPushButton *>(QStringLiteral("frmd%1").arg(button));
    QVERIFY(addCode);
    QCOMPARE(addCode->text(), QStringLiteral("Add Code"));

    QTest::mouseClick(addCode, Qt::LeftButton);
    QCOMPARE(m_editor->Text(), QStringLiteral("<HEAD>\r\n") + code + QStringLiteral("\r\n</HEAD>"));
    QCOMPARE(m_editor->SelStart(), 8);
    QCOMPARE(m_editor->SelLength(), 0);

    // The caret stayed in front of the first copy, so the second goes in front of it.
    QTest::mouseClick(addCode, Qt::LeftButton);
    QCOMPARE(m_editor->Text(), QStringLiteral("<HEAD>\r\n") + code + code + QStringLiteral("\r\n</HEAD>"));
    QCOMPARE(m_editor->SelStart(), 8);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_refreshes, 1);
}

void tst_frmFrames::selectionStaysSelected()
{
    m_editor->setText(QStringLiteral("xx abc yy"));
    m_editor->setSelStart(3);
    m_editor->setSelLength(3);

    m_window->frmd(5)->click();

    QCOMPARE(m_editor->Text(),
             QStringLiteral("xx abc<frameset cols='33%,33%, 34%' frameborder='NO' border='0' framespacing='0'>\r\n"
                            "  <frame src='LeftMostPage.html' name='LeftMostFrame'>\r\n"
                            "  <frame src='MidPage.html' name='MidFrame'>\r\n"
                            "  <frame src='RightMostPage.html' name='RightMostFrame'>\r\n"
                            "</frameset>\r\n yy"));
    QCOMPARE(m_editor->SelStart(), 3);
    QCOMPARE(m_editor->SelText(), QStringLiteral("abc"));
}

void tst_frmFrames::loadRefreshesPreviewOnce()
{
    QCOMPARE(m_refreshes, 1);
    m_window->frmd(1)->click();
    m_window->frmd(6)->click();
    QCOMPARE(m_refreshes, 1);
}

void tst_frmFrames::diagrams_data()
{
    // Points in hundredths of the diagram and the pane colour found there.
    QTest::addColumn<int>("diagram");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QColor>("colour");

    const QColor darkRed(0x80, 0x00, 0x00);
    const QColor darkBlue(0x00, 0x00, 0x80);
    const QColor white(Qt::white);
    QTest::newRow("1 narrow left column") << 1 << QPointF(10, 50) << darkRed;
    QTest::newRow("1 wide right column") << 1 << QPointF(60, 50) << white;
    QTest::newRow("2 short top row") << 2 << QPointF(50, 10) << darkRed;
    QTest::newRow("2 tall bottom row") << 2 << QPointF(50, 60) << white;
    QTest::newRow("3 left column") << 3 << QPointF(10, 10) << darkRed;
    QTest::newRow("3 short row right of it") << 3 << QPointF(60, 10) << darkBlue;
    QTest::newRow("3 tall row right of it") << 3 << QPointF(60, 60) << white;
    QTest::newRow("4 top row") << 4 << QPointF(10, 10) << darkBlue;
    QTest::newRow("4 left column below") << 4 << QPointF(10, 60) << darkRed;
    QTest::newRow("4 wide part below") << 4 << QPointF(60, 60) << white;
    QTest::newRow("5 left third") << 5 << QPointF(15, 50) << darkRed;
    QTest::newRow("5 right third") << 5 << QPointF(85, 50) << darkBlue;
    QTest::newRow("6 top third") << 6 << QPointF(50, 15) << darkRed;
    QTest::newRow("6 bottom third") << 6 << QPointF(50, 85) << darkBlue;
}

void tst_frmFrames::diagrams()
{
    QFETCH(int, diagram);
    QFETCH(QPointF, point);
    QFETCH(QColor, colour);

    auto *picture = m_window->findChild<QLabel *>(QStringLiteral("diagram%1").arg(diagram));
    QVERIFY(picture);
    const QImage image = picture->pixmap().toImage();
    const QPoint at(int(point.x() * (image.width() - 1) / 100), int(point.y() * (image.height() - 1) / 100));
    QCOMPARE(image.pixelColor(at), colour);
}

void tst_frmFrames::menuBringsSameWindowForward()
{
    delete m_window;
    ScriptedHost host;
    frmMainWin main(host);

    main.action(QStringLiteral("frmmnu"))->trigger();
    QCOMPARE(openFrameWindows().size(), 1);
    QPointer<frmFrames> opened = openFrameWindows().first();
    QVERIFY(opened->isVisible());
    // A window of its own, owned by the main window so that it stays in front of it.
    QVERIFY(opened->isWindow());
    QCOMPARE(opened->parentWidget(), &main);
    QVERIFY(opened->windowFlags().testFlag(Qt::Tool));
    QCOMPARE(opened->windowTitle(), QStringLiteral("Insert FRAME(S):"));

    main.frmmnu_Click();
    QCOMPARE(openFrameWindows(), QList<frmFrames *>{opened.data()});

    opened->close();
    QTRY_VERIFY(opened.isNull());
    QVERIFY(openFrameWindows().isEmpty());
}

ZORVANE_TEST(tst_frmFrames)
#include "tst_frmFrames.moc"
