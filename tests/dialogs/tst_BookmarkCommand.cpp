// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTestKit.h"
#include "dialogs/BookmarkCommand.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

using namespace Qt::StringLiterals;

class tst_BookmarkCommand : public QObject
{
    Q_OBJECT

private slots:
    void insertsNamedAnchor_data();
    void insertsNamedAnchor();
};

void tst_BookmarkCommand::insertsNamedAnchor_data()
{
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("text");

    QTest::newRow("top") << false << u"top"_s << u"<body>\r\n<a name=\"top\"></a></body>"_s;
    QTest::newRow("empty inserts nothing") << false << QString() << u"<body>\r\n</body>"_s;
    QTest::newRow("cancelled inserts nothing") << true << QString() << u"<body>\r\n</body>"_s;
    QTest::newRow("spaces and quotes as typed")
        << false << u" my \"mark\" "_s << u"<body>\r\n<a name=\" my \"mark\" \"></a></body>"_s;
}

void tst_BookmarkCommand::insertsNamedAnchor()
{
    QFETCH(bool, cancelled);
    QFETCH(QString, answer);
    QFETCH(QString, text);

    DialogFixture fixture;
    ScriptedHost host;
    host.answerInputBox(cancelled ? std::nullopt : std::optional<QString>(answer));
    BookmarkCommand::run(fixture.editor, host, 600, 450);

    QCOMPARE(fixture.editor.Text(), text);
    QCOMPARE(host.asked().size(), 1);
    const ScriptedHost::Question &asked = host.asked().first();
    QCOMPARE(asked.kind, u"InputBox"_s);
    QCOMPARE(asked.text, u"Enter Bookmark Name"_s);
    QCOMPARE(asked.title, u"Insert Bookmark"_s);
    QCOMPARE(asked.defaultText, QString());
    QCOMPARE(asked.xTwips, 600);
    QCOMPARE(asked.yTwips, 450);
}

ZORVANE_TEST(tst_BookmarkCommand)
#include "tst_BookmarkCommand.moc"
