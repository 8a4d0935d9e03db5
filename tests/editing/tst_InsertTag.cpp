// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/InsertTag.h"
#include "editor/EditorControl.h"
#include "support/TestMain.h"

#include <QSignalSpy>
#include <QTest>

class tst_InsertTag : public QObject
{
    Q_OBJECT

private slots:
    void wrapsAndReselects_data();
    void wrapsAndReselects();
};

void tst_InsertTag::wrapsAndReselects_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("endText");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedStart");

    const QString text = QStringLiteral("0123456789abcdefghij");
    QTest::newRow("three characters at 10") << text << 10 << 3 << QStringLiteral("<B>") << QStringLiteral("</B>")
                                            << QStringLiteral("0123456789<B>abc</B>defghij") << 13;
    QTest::newRow("nothing selected") << text << 10 << 0 << QStringLiteral("<B>") << QStringLiteral("</B>")
                                      << QStringLiteral("0123456789<B></B>abcdefghij") << 13;
    QTest::newRow("empty start text") << text << 2 << 3 << QString() << QStringLiteral("<FRAMESET>")
                                      << QStringLiteral("01234<FRAMESET>56789abcdefghij") << 2;
    QTest::newRow("empty end text") << text << 20 << 0 << QStringLiteral("<BR>") << QString()
                                    << QStringLiteral("0123456789abcdefghij<BR>") << 24;
    QTest::newRow("whole text") << text << 0 << 20 << QStringLiteral("<I>") << QStringLiteral("</I>")
                                << QStringLiteral("<I>0123456789abcdefghij</I>") << 3;
    QTest::newRow("across a line break") << QStringLiteral("ab\r\ncd") << 1 << 4 << QStringLiteral("<U>") << QStringLiteral("</U>")
                                         << QStringLiteral("a<U>b\r\nc</U>d") << 4;
    // Selections far past a 16-bit offset are wrapped like any other.
    const QString longText = QString(40000, u'x') + QStringLiteral("word") + QString(100, u'y');
    QTest::newRow("beyond offset 32767") << longText << 40000 << 4 << QStringLiteral("<B>") << QStringLiteral("</B>")
                                         << QString(40000, u'x') + QStringLiteral("<B>word</B>") + QString(100, u'y') << 40003;
}

void tst_InsertTag::wrapsAndReselects()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, startText);
    QFETCH(QString, endText);
    QFETCH(QString, expected);
    QFETCH(int, expectedStart);

    EditorControl target;
    target.setText(text);
    target.setSelStart(selStart);
    target.setSelLength(selLength);
    const QString selected = target.SelText();
    QSignalSpy changes(&target, &EditorControl::Change);

    InsertTag(target, startText, endText);

    QCOMPARE(target.Text(), expected);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(target.SelStart(), expectedStart);
    QCOMPARE(target.SelLength(), selLength);
    QCOMPARE(target.SelText(), selected);
}

ZORVANE_TEST(tst_InsertTag)
#include "tst_InsertTag.moc"
