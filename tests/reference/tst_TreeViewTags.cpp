// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "editor/EditorControl.h"
#include "reference/TreeViewTags.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QIcon>
#include <QTest>
#include <QTreeWidget>

namespace {

// A built tree beside an editor, counting the preview refreshes a click asks for.
struct TreeFixture {
    TreeFixture()
        : tags(tv1, editor, [this] { ++refreshes; })
    {
        TreeViewTags::BuildTagTree(tv1);
        tv1.resize(300, 500);
        tv1.show();
    }

    QTreeWidgetItem *node(int tag, int attribute) const
    {
        QTreeWidgetItem *tagNode = tv1.topLevelItem(tag);
        return attribute < 0 ? tagNode : tagNode->child(attribute);
    }

    // Selects the node as a click would and clicks on it.
    void click(QTreeWidgetItem *item)
    {
        tv1.scrollToItem(item);
        QTest::mouseClick(tv1.viewport(), Qt::LeftButton, {}, tv1.visualItemRect(item).center());
    }

    QTreeWidget tv1;
    EditorControl editor;
    int refreshes = 0;
    TreeViewTags tags;
};

QImage picture(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage();
}

} // namespace

class tst_TreeViewTags : public QObject
{
    Q_OBJECT

private slots:
    void tagNodesInOrder_data();
    void tagNodesInOrder();
    void treeHasTwoLevelsAndTwoPictures();
    void attributeTexts_data();
    void attributeTexts();
    void clickPutsNodeTextBeforeSelection_data();
    void clickPutsNodeTextBeforeSelection();
    void twoClicksInsertTwice();
    void doubleClickInsertsOnce();
    void clickWithNoNodeSelectedInsertsNothing();
    void enterInsertsSelectedNode();
    void mainWindowTreeInsertsIntoDocument();
};

void tst_TreeViewTags::tagNodesInOrder_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("attributes");

    QTest::newRow("ANCHOR") << 0 << QStringLiteral("ANCHOR") << QStringLiteral("<a></a>") << 13;
    QTest::newRow("Applet") << 1 << QStringLiteral("Applet") << QStringLiteral("<applet></applet>") << 12;
    QTest::newRow("Area") << 2 << QStringLiteral("Area") << QStringLiteral("<area>") << 9;
    QTest::newRow("Base") << 3 << QStringLiteral("Base") << QStringLiteral("<base>") << 3;
    QTest::newRow("Basefont") << 4 << QStringLiteral("Basefont") << QStringLiteral("<basefont>") << 4;
    QTest::newRow("Bgsound") << 5 << QStringLiteral("Bgsound") << QStringLiteral("<bgsound>") << 6;
    QTest::newRow("Body") << 6 << QStringLiteral("Body") << QStringLiteral("<body></body>") << 11;
    QTest::newRow("Col") << 7 << QStringLiteral("Col") << QStringLiteral("<col>") << 6;
    QTest::newRow("Colgroup") << 8 << QStringLiteral("Colgroup") << QStringLiteral("<colgroup>") << 7;
    QTest::newRow("div") << 9 << QStringLiteral("div") << QStringLiteral("<div></div>") << 5;
    QTest::newRow("Embed") << 10 << QStringLiteral("Embed") << QStringLiteral("<embed>") << 7;
    QTest::newRow("Font") << 11 << QStringLiteral("Font") << QStringLiteral("<font></font>") << 7;
    QTest::newRow("Form") << 12 << QStringLiteral("Form") << QStringLiteral("<form></form>") << 8;
    QTest::newRow("Frame") << 13 << QStringLiteral("Frame") << QStringLiteral("<Frame>") << 13;
    QTest::newRow("Frameset") << 14 << QStringLiteral("Frameset") << QStringLiteral("<frameset></frameset>") << 10;
    QTest::newRow("h1") << 15 << QStringLiteral("h1") << QStringLiteral("<h1></h1>") << 5;
    QTest::newRow("h2") << 16 << QStringLiteral("h2") << QStringLiteral("<h2></h2>") << 5;
    QTest::newRow("h3") << 17 << QStringLiteral("h3") << QStringLiteral("<h3></h3>") << 5;
    QTest::newRow("HR") << 18 << QStringLiteral("HR") << QStringLiteral("<hr>") << 9;
    QTest::newRow("Iframe") << 19 << QStringLiteral("Iframe") << QStringLiteral("<iframe></iframe>") << 13;
    QTest::newRow("IMG") << 20 << QStringLiteral("IMG") << QStringLiteral("<img>") << 19;
    QTest::newRow("INPUT") << 21 << QStringLiteral("INPUT") << QStringLiteral("<input>") << 20;
    QTest::newRow("LINK") << 22 << QStringLiteral("LINK") << QStringLiteral("<link>") << 4;
    QTest::newRow("MAP") << 23 << QStringLiteral("MAP") << QStringLiteral("<map></map>") << 5;
    QTest::newRow("MARAQUEE") << 24 << QStringLiteral("MARAQUEE") << QStringLiteral("<marquee></marquee>") << 15;
    QTest::newRow("META") << 25 << QStringLiteral("META") << QStringLiteral("<meta>") << 4;
    QTest::newRow("MULTICOL") << 26 << QStringLiteral("MULTICOL") << QStringLiteral("<multicol>") << 7;
    QTest::newRow("PARAGRAPH") << 27 << QStringLiteral("PARAGRAPH") << QStringLiteral("<p>") << 5;
    QTest::newRow("Param") << 28 << QStringLiteral("Param") << QStringLiteral("<param></param>") << 5;
    QTest::newRow("SCRIPT") << 29 << QStringLiteral("SCRIPT") << QStringLiteral("<script></script>") << 9;
    QTest::newRow("SOUND") << 30 << QStringLiteral("SOUND") << QStringLiteral("<sound></sound>") << 7;
    QTest::newRow("SPAN") << 31 << QStringLiteral("SPAN") << QStringLiteral("<span></span>") << 5;
    QTest::newRow("STYLE") << 32 << QStringLiteral("STYLE") << QStringLiteral("<style></style>") << 1;
    QTest::newRow("TABLE") << 33 << QStringLiteral("TABLE") << QStringLiteral("<table></table>") << 19;
    QTest::newRow("TD") << 34 << QStringLiteral("TD") << QStringLiteral("<td></td>") << 16;
    QTest::newRow("TH") << 35 << QStringLiteral("TH") << QStringLiteral("<th></th>") << 16;
    QTest::newRow("TR") << 36 << QStringLiteral("TR") << QStringLiteral("<tr></tr>") << 11;
}

void tst_TreeViewTags::tagNodesInOrder()
{
    QFETCH(int, index);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(int, attributes);

    QTreeWidget tv1;
    TreeViewTags::BuildTagTree(tv1);
    QTreeWidgetItem *tagNode = tv1.topLevelItem(index);
    QVERIFY(tagNode);
    QCOMPARE(tagNode->text(0), text);
    QCOMPARE(tagNode->data(0, Qt::UserRole).toString(), key);
    QCOMPARE(tagNode->childCount(), attributes);
}

void tst_TreeViewTags::treeHasTwoLevelsAndTwoPictures()
{
    QTreeWidget tv1;
    TreeViewTags::BuildTagTree(tv1);
    const QImage tagPicture = picture(QIcon(QStringLiteral(":/icons/tag.svg")));
    const QImage attributePicture = picture(QIcon(QStringLiteral(":/icons/attribute.svg")));
    QVERIFY(!tagPicture.isNull());
    QVERIFY(tagPicture != attributePicture);

    QCOMPARE(tv1.topLevelItemCount(), 37);
    int nodes = 0;
    for (int tag = 0; tag < tv1.topLevelItemCount(); ++tag) {
        QTreeWidgetItem *tagNode = tv1.topLevelItem(tag);
        QCOMPARE(picture(tagNode->icon(0)), tagPicture);
        ++nodes;
        for (int attribute = 0; attribute < tagNode->childCount(); ++attribute) {
            QTreeWidgetItem *attributeNode = tagNode->child(attribute);
            QCOMPARE(attributeNode->childCount(), 0);
            QCOMPARE(picture(attributeNode->icon(0)), attributePicture);
            ++nodes;
        }
    }
    QCOMPARE(nodes, 363);

    // Building again replaces the nodes rather than adding a second set.
    TreeViewTags::BuildTagTree(tv1);
    QCOMPARE(tv1.topLevelItemCount(), 37);
}

void tst_TreeViewTags::attributeTexts_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("attribute");
    QTest::addColumn<QString>("text");

    QTest::newRow("ANCHOR first") << 0 << 0 << QStringLiteral(" href=\"\"");
    QTest::newRow("ANCHOR last") << 0 << 12 << QStringLiteral(" class=\"\"");
    QTest::newRow("Applet first") << 1 << 0 << QStringLiteral(" code=\"\"");
    QTest::newRow("Applet last") << 1 << 11 << QStringLiteral(" width=\"\"");
    QTest::newRow("Area first") << 2 << 0 << QStringLiteral(" shape=\"\"");
    QTest::newRow("Area last") << 2 << 8 << QStringLiteral(" nohref=\"\"");
    QTest::newRow("Base first") << 3 << 0 << QStringLiteral(" href=\"\"");
    QTest::newRow("Base last") << 3 << 2 << QStringLiteral(" target=\"\"");
    QTest::newRow("Basefont first") << 4 << 0 << QStringLiteral(" id=\"\"");
    QTest::newRow("Basefont last") << 4 << 3 << QStringLiteral(" color=\"\"");
    QTest::newRow("Bgsound first") << 5 << 0 << QStringLiteral(" src=\"\"");
    QTest::newRow("Bgsound last") << 5 << 5 << QStringLiteral(" title=\"\"");
    QTest::newRow("Body first") << 6 << 0 << QStringLiteral(" id=\"\"");
    QTest::newRow("Body last") << 6 << 10 << QStringLiteral(" topmargin=\"\"");
    QTest::newRow("Col first") << 7 << 0 << QStringLiteral(" align=\"\"");
    QTest::newRow("Col last") << 7 << 5 << QStringLiteral(" title=\"\"");
    QTest::newRow("Colgroup first") << 8 << 0 << QStringLiteral(" align=\"\"");
    QTest::newRow("Colgroup last") << 8 << 6 << QStringLiteral(" title=\"\"");
    QTest::newRow("div first") << 9 << 0 << QStringLiteral(" style=\"\"");
    QTest::newRow("div last") << 9 << 4 << QStringLiteral(" align=\"\"");
    QTest::newRow("Embed first") << 10 << 0 << QStringLiteral(" src=\"\"");
    QTest::newRow("Embed last") << 10 << 6 << QStringLiteral(" class=\"\"");
    QTest::newRow("Font first") << 11 << 0 << QStringLiteral(" face=\"\"");
    QTest::newRow("Font last") << 11 << 6 << QStringLiteral(" title=\"\"");
    QTest::newRow("Form first") << 12 << 0 << QStringLiteral(" action=\"\"");
    QTest::newRow("Form last") << 12 << 7 << QStringLiteral(" title=\"\"");
    QTest::newRow("Frame first") << 13 << 0 << QStringLiteral(" src=\"\"");
    QTest::newRow("Frame last") << 13 << 12 << QStringLiteral(" bordercolor=\"\"");
    QTest::newRow("Frame bare noresize") << 13 << 6 << QStringLiteral(" noresize");
    QTest::newRow("Frameset first") << 14 << 0 << QStringLiteral(" rows=\"\"");
    QTest::newRow("Frameset last") << 14 << 9 << QStringLiteral(" title=\"\"");
    QTest::newRow("h1 first") << 15 << 0 << QStringLiteral(" title=\"\"");
    QTest::newRow("h1 last") << 15 << 4 << QStringLiteral(" class=\"\"");
    QTest::newRow("h2 first") << 16 << 0 << QStringLiteral(" title=\"\"");
    QTest::newRow("h2 last") << 16 << 4 << QStringLiteral(" class=\"\"");
    QTest::newRow("h3 first") << 17 << 0 << QStringLiteral(" title=\"\"");
    QTest::newRow("h3 last") << 17 << 4 << QStringLiteral(" class=\"\"");
    QTest::newRow("HR first") << 18 << 0 << QStringLiteral(" align=\"\"");
    QTest::newRow("HR last") << 18 << 8 << QStringLiteral(" title=\"\"");
    QTest::newRow("HR bare noshade") << 18 << 4 << QStringLiteral(" noshade");
    QTest::newRow("Iframe first") << 19 << 0 << QStringLiteral(" src=\"\"");
    QTest::newRow("Iframe last") << 19 << 12 << QStringLiteral(" title=\"\"");
    QTest::newRow("IMG first") << 20 << 0 << QStringLiteral(" src=\"\"");
    QTest::newRow("IMG last") << 20 << 18 << QStringLiteral(" class=\"\"");
    QTest::newRow("IMG bare controls") << 20 << 13 << QStringLiteral(" controls");
    QTest::newRow("INPUT first") << 21 << 0 << QStringLiteral(" type=\"\"");
    QTest::newRow("INPUT last") << 21 << 19 << QStringLiteral(" title=\"\"");
    QTest::newRow("INPUT bare notab") << 21 << 7 << QStringLiteral(" notab");
    QTest::newRow("INPUT bare checked") << 21 << 8 << QStringLiteral(" checked");
    QTest::newRow("INPUT bare border") << 21 << 10 << QStringLiteral(" border");
    QTest::newRow("INPUT bare width") << 21 << 11 << QStringLiteral(" width");
    QTest::newRow("INPUT bare height") << 21 << 12 << QStringLiteral(" height");
    QTest::newRow("INPUT bare vspace") << 21 << 13 << QStringLiteral(" vspace");
    QTest::newRow("INPUT bare hspace") << 21 << 14 << QStringLiteral(" hspace");
    QTest::newRow("LINK first") << 22 << 0 << QStringLiteral(" rel=\"\"");
    QTest::newRow("LINK last") << 22 << 3 << QStringLiteral(" title=\"\"");
    QTest::newRow("MAP first") << 23 << 0 << QStringLiteral(" name=\"\"");
    QTest::newRow("MAP last") << 23 << 4 << QStringLiteral(" title=\"\"");
    QTest::newRow("MARAQUEE first") << 24 << 0 << QStringLiteral(" behavior=\"\"");
    QTest::newRow("MARAQUEE last") << 24 << 14 << QStringLiteral(" title=\"\"");
    QTest::newRow("META first") << 25 << 0 << QStringLiteral(" id=\"\"");
    QTest::newRow("META last") << 25 << 3 << QStringLiteral(" content=\"\"");
    QTest::newRow("MULTICOL first") << 26 << 0 << QStringLiteral(" cols=\"\"");
    QTest::newRow("MULTICOL last") << 26 << 6 << QStringLiteral(" title=\"\"");
    QTest::newRow("PARAGRAPH first") << 27 << 0 << QStringLiteral(" align=\"\"");
    QTest::newRow("PARAGRAPH last") << 27 << 4 << QStringLiteral(" title=\"\"");
    QTest::newRow("Param first") << 28 << 0 << QStringLiteral(" id=\"\"");
    QTest::newRow("Param last") << 28 << 4 << QStringLiteral(" valuetype=\"\"");
    QTest::newRow("SCRIPT first") << 29 << 0 << QStringLiteral(" id=\"\"");
    QTest::newRow("SCRIPT last") << 29 << 8 << QStringLiteral(" charset=\"\"");
    QTest::newRow("SOUND first") << 30 << 0 << QStringLiteral(" src=\"\"");
    QTest::newRow("SOUND last") << 30 << 6 << QStringLiteral(" title=\"\"");
    QTest::newRow("SPAN first") << 31 << 0 << QStringLiteral(" style=\"\"");
    QTest::newRow("SPAN last") << 31 << 4 << QStringLiteral(" align=\"\"");
    QTest::newRow("STYLE first") << 32 << 0 << QStringLiteral(" type=\"\"");
    QTest::newRow("TABLE first") << 33 << 0 << QStringLiteral(" align=\"\"");
    QTest::newRow("TABLE last") << 33 << 18 << QStringLiteral(" title=\"\"");
    QTest::newRow("TABLE bare nowrap") << 33 << 5 << QStringLiteral(" nowrap");
    QTest::newRow("TD first") << 34 << 0 << QStringLiteral(" bgcolor=\"\"");
    QTest::newRow("TD last") << 34 << 15 << QStringLiteral(" title=\"\"");
    QTest::newRow("TH first") << 35 << 0 << QStringLiteral(" width=\"\"");
    QTest::newRow("TH last") << 35 << 15 << QStringLiteral(" title=\"\"");
    QTest::newRow("TR first") << 36 << 0 << QStringLiteral(" bgcolor=\"\"");
    QTest::newRow("TR last") << 36 << 10 << QStringLiteral(" title=\"\"");
    QTest::newRow("SCRIPT second id") << 29 << 7 << QStringLiteral(" id=\"\"");
    QTest::newRow("TD nowrap takes a value") << 34 << 11 << QStringLiteral(" nowrap=\"\"");
    QTest::newRow("TH nowrap takes a value") << 35 << 6 << QStringLiteral(" nowrap=\"\"");
    QTest::newRow("TR nowrap takes a value") << 36 << 6 << QStringLiteral(" nowrap=\"\"");
}

void tst_TreeViewTags::attributeTexts()
{
    QFETCH(int, tag);
    QFETCH(int, attribute);
    QFETCH(QString, text);

    QTreeWidget tv1;
    TreeViewTags::BuildTagTree(tv1);
    QCOMPARE(tv1.topLevelItem(tag)->child(attribute)->text(0), text);
}

void tst_TreeViewTags::clickPutsNodeTextBeforeSelection_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("attribute"); // -1: the tag node itself
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");

    const QString digits = QStringLiteral("0123456789");
    QTest::newRow("tag at caret") << 0 << -1 << digits << 10 << 0 << QStringLiteral("0123456789<a></a>") << 17;
    QTest::newRow("attribute before selection")
        << 0 << 0 << QStringLiteral("word") << 0 << 4 << QStringLiteral(" href=\"\"word") << 12;
    QTest::newRow("bare attribute") << 18 << 4 << QStringLiteral("<hr>") << 3 << 0 << QStringLiteral("<hr noshade>") << 11;
    QTest::newRow("capital Frame") << 13 << -1 << QString() << 0 << 0 << QStringLiteral("<Frame>") << 7;
    QTest::newRow("SCRIPT second id") << 29 << 7 << QStringLiteral("<script>") << 7 << 0 << QStringLiteral("<script id=\"\">") << 13;
    QTest::newRow("before a selection across lines")
        << 23 << -1 << QStringLiteral("x\r\ny") << 0 << 4 << QStringLiteral("<map></map>x\r\ny") << 15;
}

void tst_TreeViewTags::clickPutsNodeTextBeforeSelection()
{
    QFETCH(int, tag);
    QFETCH(int, attribute);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    QFETCH(int, caret);

    TreeFixture fixture;
    fixture.editor.setText(text);
    fixture.editor.setSelStart(selStart);
    fixture.editor.setSelLength(selLength);
    if (attribute >= 0)
        fixture.node(tag, -1)->setExpanded(true);
    fixture.click(fixture.node(tag, attribute));

    QCOMPARE(fixture.editor.Text(), expected);
    QCOMPARE(fixture.editor.SelStart(), caret);
    QCOMPARE(fixture.editor.SelLength(), 0);
    QCOMPARE(fixture.refreshes, 1);
}

void tst_TreeViewTags::twoClicksInsertTwice()
{
    TreeFixture fixture;
    fixture.editor.setText(QStringLiteral("word"));
    fixture.editor.setSelStart(4);
    fixture.node(0, -1)->setExpanded(true);
    fixture.click(fixture.node(0, 0));
    fixture.click(fixture.node(0, 0));

    QCOMPARE(fixture.editor.Text(), QStringLiteral("word href=\"\" href=\"\""));
    QCOMPARE(fixture.refreshes, 2);
}

void tst_TreeViewTags::doubleClickInsertsOnce()
{
    TreeFixture fixture;
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.tv1));
    // Through the window system, as a real double click arrives: press, release, press, double
    // click, release.
    const QPoint centre = fixture.tv1.visualItemRect(fixture.node(4, -1)).center();
    QTest::mouseDClick(fixture.tv1.windowHandle(), Qt::LeftButton, {}, fixture.tv1.viewport()->mapTo(&fixture.tv1, centre));

    QCOMPARE(fixture.editor.Text(), QStringLiteral("<basefont>"));
    QCOMPARE(fixture.refreshes, 1);
}

void tst_TreeViewTags::clickWithNoNodeSelectedInsertsNothing()
{
    TreeFixture fixture;
    fixture.editor.setText(QStringLiteral("keep"));
    fixture.editor.setSelStart(0);
    fixture.editor.setSelLength(4);
    // The expand button of the first tag: a click in the tree that selects no node.
    QTreeWidgetItem *item = fixture.node(0, -1);
    const QRect rect = fixture.tv1.visualItemRect(item);
    QTest::mouseClick(fixture.tv1.viewport(), Qt::LeftButton, {}, QPoint(fixture.tv1.indentation() / 2, rect.center().y()));

    QVERIFY(fixture.tv1.selectedItems().isEmpty());
    QCOMPARE(fixture.editor.Text(), QStringLiteral("keep"));
    QCOMPARE(fixture.editor.SelLength(), 4);
    QCOMPARE(fixture.refreshes, 1);
}

void tst_TreeViewTags::enterInsertsSelectedNode()
{
    TreeFixture fixture;
    fixture.tv1.setCurrentItem(fixture.node(31, -1));
    QTest::keyClick(&fixture.tv1, Qt::Key_Return);

    QCOMPARE(fixture.editor.Text(), QStringLiteral("<span></span>"));
    QCOMPARE(fixture.refreshes, 1);
}

void tst_TreeViewTags::mainWindowTreeInsertsIntoDocument()
{
    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.BuildTagTree();

    auto *tv1 = w.findChild<QTreeWidget *>(QStringLiteral("tv1"));
    QVERIFY(tv1);
    QCOMPARE(tv1->topLevelItemCount(), 37);
    w.r1().setText(QStringLiteral("0123456789"));
    w.r1().setSelStart(10);
    QTreeWidgetItem *anchor = tv1->topLevelItem(0);
    QTest::mouseClick(tv1->viewport(), Qt::LeftButton, {}, tv1->visualItemRect(anchor).center());

    QCOMPARE(w.r1().Text(), QStringLiteral("0123456789<a></a>"));
    QCOMPARE(w.r1().SelStart(), 17);
}

ZORVANE_TEST(tst_TreeViewTags)
#include "tst_TreeViewTags.moc"
