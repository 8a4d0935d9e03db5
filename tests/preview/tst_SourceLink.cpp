// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserProbe.h"

#include "app/frmMainWin.h"
#include "editor/EditorControl.h"
#include "preview/LocalAddress.h"
#include "previewui/Form2.h"
#include "previewui/LivePreview.h"
#include "preview/PreviewBrowser.h"
#include "previewui/SourceLinkOptions.h"
#include "preview/SourceLinkScript.h"
#include "previewui/SourceMarks.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QAction>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace BrowserProbe;

class tst_SourceLink : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void marks_data();
    void marks();
    void ctrlClickSelectsTheStartTag_data();
    void ctrlClickSelectsTheStartTag();
    void restingCaretOutlinesItsElement_data();
    void restingCaretOutlinesItsElement();
    void scrollingFollowsTheEditorAndBack();
    void pageReachesNoneOfIt();
    void switchesAreRemembered();
};

namespace {

const char *const optionKeys[] = {"editing/aids/previewOutline", "editing/aids/previewSourceClick", "editing/aids/scrollSync",
                                  "editing/aids/scrollBothWays"};

// The result of script run in the view's page in the source link's own world.
QVariant inLinkWorld(QWebEngineView *view, const QString &script)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    view->page()->runJavaScript(script, SourceLinkScript::worldId, [result](const QVariant &value) { *result = value; });
    if (!QTest::qWaitFor([&] { return result->has_value(); }, timeout))
        return {};
    return result->value_or(QVariant());
}

QVariantMap outlineState(QWebEngineView *view)
{
    return inLinkWorld(view, QStringLiteral("sourceLink.state()")).toMap();
}

// The point of the view on the first box of the element with id, a little in from its left.
QPoint pointOn(QWebEngineView *view, const QString &id)
{
    const QVariantList at = evaluate(view, QStringLiteral("(function () { var r = document.getElementById('%1').getClientRects()[0];"
                                                          " return [r.left + 2, r.top + r.height / 2]; })()")
                                               .arg(id))
                                .toList();
    return at.size() == 2 ? QPoint(at.at(0).toInt(), at.at(1).toInt()) : QPoint(-1, -1);
}

// A main window with the Preview tab in front showing text, the caret at caret. The editor
// behind the tab reports no caret moves, as it does not repaint: a caret moved there is shown
// when the tab is.
PreviewBrowser *showInTab(frmMainWin &w, ScriptedHost &host, const QString &text, int caret = 0)
{
    w.Form_Load();
    w.resize(900, 700);
    w.show();
    if (!QTest::qWaitForWindowActive(&w))
        return nullptr;
    w.r1().setText(text);
    w.r1().setSelStart(caret);
    w.findChild<QTabWidget *>(QStringLiteral("maintabs"))->setCurrentIndex(1);
    PreviewBrowser *view = nullptr;
    const bool made = QTest::qWaitFor(
        [&] { return (view = browserOf(w.findChild<QWidget *>(QStringLiteral("qprevbr")))) != nullptr; }, timeout);
    if (!made || !waitShown(view, LocalAddress::url(host.tempFolder() + QStringLiteral("/qprev.html"))))
        return nullptr;
    // The page's layout is in place once its body has a size.
    if (!QTest::qWaitFor([&] { return evaluate(view, QStringLiteral("document.body.offsetHeight")).toInt() > 0; }, timeout))
        return nullptr;
    return view;
}

const QString clickPage = QStringLiteral(
    "<!DOCTYPE html>\n<html><head><style>body { margin: 0 } div, p, a { display: block; margin: 0; height: 40px }</style>"
    "</head><body>\n"
    "<div id=\"outer\" class=\"box\">\n"
    "<p id=\"para\">text <b id=\"bold\">bold</b></p>\n"
    "<div id=\"made\"></div>\n"
    "<a id=\"link\" href=\"https://example.com/\">link</a>\n"
    "<div id=\"forged\">forged</div>\n"
    "<div id=\"far\">far</div>\n"
    "</div>\n"
    "<script>var s = document.createElement('span'); s.id = 'script'; s.textContent = 'made';"
    " document.getElementById('made').appendChild(s);"
    " document.getElementById('forged').setAttribute('data-zv-src', '7');"
    " document.getElementById('far').setAttribute('data-zv-src', '99999');</script>\n"
    "</body></html>");

} // namespace

void tst_SourceLink::cleanup()
{
    for (const char *key : optionKeys)
        QSettings().remove(QLatin1String(key));
}

void tst_SourceLink::marks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marked");

    QTest::newRow("start tags, not end tags") << "<div><p class=x>t</p></div>"
                                              << "<div data-zv-src=\"0\"><p data-zv-src=\"5\" class=x>t</p></div>";
    QTest::newRow("self-closed and upper case") << "<BR/><Img src=a.png>"
                                                << "<BR data-zv-src=\"0\"/><Img data-zv-src=\"5\" src=a.png>";
    QTest::newRow("undrawn elements and declarations")
        << "<!DOCTYPE html><html><head><meta charset=utf-8><title>a<b></title></head><body>"
        << "<!DOCTYPE html><html><head><meta charset=utf-8><title>a<b></title></head><body data-zv-src=\"73\">";
    QTest::newRow("comments") << "<!-- <p> --><i>" << "<!-- <p> --><i data-zv-src=\"12\">";
    QTest::newRow("raw text") << "<textarea><p></textarea ><style>a<b</style><xmp><i></xmp><u>"
                              << "<textarea data-zv-src=\"0\"><p></textarea ><style>a<b</style><xmp data-zv-src=\"43\"><i></xmp>"
                                 "<u data-zv-src=\"57\">";
    QTest::newRow("script with markup in a string") << "<script>var s = '<div>';</script><p>"
                                                    << "<script>var s = '<div>';</script><p data-zv-src=\"33\">";
    QTest::newRow("markup in attribute values") << "<a title=\"<b>\" href='x>y'>l</a><i>"
                                                << "<a data-zv-src=\"0\" title=\"<b>\" href='x>y'>l</a><i data-zv-src=\"31\">";
    QTest::newRow("offsets in UTF-16 units") << QString::fromUtf8("\xF0\x9F\x98\x80<p>")
                                             << QString::fromUtf8("\xF0\x9F\x98\x80<p data-zv-src=\"2\">");
    QTest::newRow("the page's own mark comes second") << "<p data-zv-src=\"9\">" << "<p data-zv-src=\"0\" data-zv-src=\"9\">";
    QTest::newRow("not a tag") << "a < b <3 <> </ >" << "a < b <3 <> </ >";
    QTest::newRow("unfinished tag") << "<p>x<div class=\"a" << "<p data-zv-src=\"0\">x<div class=\"a";
    QTest::newRow("plaintext runs to the end") << "<plaintext><p>" << "<plaintext data-zv-src=\"0\"><p>";
}

void tst_SourceLink::marks()
{
    QFETCH(QString, text);
    QFETCH(QString, marked);

    const SourceMarks marks = SourceMarks::mark(text);
    QCOMPARE(marks.text(), marked);
    // Each offset named is that of a "<" in the text, in order.
    QVERIFY(std::is_sorted(marks.offsets().cbegin(), marks.offsets().cend()));
    for (int offset : marks.offsets()) {
        QCOMPARE(text.at(offset), u'<');
        QVERIFY(marks.contains(offset));
        QVERIFY(marked.contains(QStringLiteral("data-zv-src=\"%1\"").arg(offset)));
    }
}

void tst_SourceLink::ctrlClickSelectsTheStartTag_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("tag"); // empty: the selection stays where it was
    QTest::addColumn<bool>("editFirst");

    const int ctrl = Qt::ControlModifier;
    QTest::newRow("text of an element") << "para" << ctrl << "<p id=\"para\">" << false;
    QTest::newRow("nested element") << "bold" << ctrl << "<b id=\"bold\">" << false;
    QTest::newRow("element a script made") << "script" << ctrl << "<div id=\"made\">" << false;
    QTest::newRow("a link is not followed") << "link" << ctrl << "<a id=\"link\" href=\"https://example.com/\">" << false;
    QTest::newRow("after an edit the preview has not seen") << "para" << ctrl << "<p id=\"para\">" << true;
    QTest::newRow("a plain click keeps its meaning") << "para" << 0 << QString() << false;
    QTest::newRow("mark forged inside a tag") << "forged" << ctrl << QString() << false;
    QTest::newRow("mark forged past the text") << "far" << ctrl << QString() << false;
}

void tst_SourceLink::ctrlClickSelectsTheStartTag()
{
    QFETCH(QString, id);
    QFETCH(int, modifiers);
    QFETCH(QString, tag);
    QFETCH(bool, editFirst);

    ScriptedHost host;
    frmMainWin w(host);
    w.findChild<LivePreview *>()->setDelay(3600 * 1000);
    PreviewBrowser *view = showInTab(w, host, clickPage);
    QVERIFY(view);
    const QUrl shown = view->url();
    EditorControl &r1 = w.r1();
    // The view takes the focus before the click (which refreshes the preview once), so that the
    // click itself refreshes nothing and the page shown answers for the text it was made from.
    QTRY_VERIFY(view->focusProxy());
    QTabBar *tabBar = w.findChild<QTabWidget *>(QStringLiteral("maintabs"))->tabBar();
    tabBar->setFocus();
    QTRY_VERIFY(tabBar->hasFocus());
    QSignalSpy loads(view, &QWebEngineView::loadFinished);
    view->focusProxy()->setFocus();
    QTRY_COMPARE_WITH_TIMEOUT(loads.count(), 1, timeout);
    if (editFirst) {
        // Text the preview has not seen moves the tags after it.
        r1.setSelStart(static_cast<int>(clickPage.indexOf(QLatin1String("<body>"))));
        r1.setSelText(QStringLiteral("<!-- written since the preview -->\n"));
    }
    const QString text = r1.Text();
    r1.setSelStart(r1.length());

    const QPoint at = pointOn(view, id);
    QVERIFY(at.x() >= 0);
    QTRY_VERIFY(view->focusProxy());
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, Qt::KeyboardModifiers(modifiers), at);
    if (tag.isEmpty()) {
        // A plain click lands in the page; whatever a forged mark says, nothing moves. A later
        // Ctrl+click shows the answer to this one has come and gone.
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, Qt::ControlModifier, pointOn(view, QStringLiteral("bold")));
        QTRY_COMPARE_WITH_TIMEOUT(r1.SelStart(), static_cast<int>(text.indexOf(QLatin1String("<b id=\"bold\">"))), timeout);
        return;
    }
    const int start = static_cast<int>(text.indexOf(tag));
    QTRY_COMPARE_WITH_TIMEOUT(r1.SelStart(), start, timeout);
    QCOMPARE(r1.SelLength(), tag.size());
    // The editor comes to the front with the focus (and the switch of tab refreshes the preview).
    QTRY_VERIFY(r1.widget()->hasFocus());
    QCOMPARE(w.findChild<QTabWidget *>(QStringLiteral("maintabs"))->currentIndex(), 0);
    QCOMPARE(view->url(), shown);
}

void tst_SourceLink::restingCaretOutlinesItsElement_data()
{
    QTest::addColumn<QString>("body"); // "^" marks the caret
    QTest::addColumn<QString>("tag");  // empty: nothing outlined
    QTest::addColumn<QString>("name");

    QTest::newRow("text of an element") << "<p id=\"a\">te^xt</p>" << "<p id=\"a\">" << "p";
    QTest::newRow("nested element") << "<p id=\"a\">x <em>e^m</em></p>" << "<em>" << "em";
    QTest::newRow("text after a nested element") << "<p id=\"a\">x <em>em</em> af^ter</p>" << "<p id=\"a\">" << "p";
    QTest::newRow("inside a start tag") << "<div cl^ass=\"c\">x</div>" << "<div cl" << "div";
    QTest::newRow("inside an end tag") << "<section>x</sec^tion>" << "<section>" << "section";
    QTest::newRow("text of the body") << "loose ^text<p>x</p>" << "<body>" << "body";
    QTest::newRow("off-screen element") << "<div style=\"height: 5000px\">tall</div><p id=\"far\">f^ar</p>" << "<p id=\"far\">"
                                        << "p";
}

void tst_SourceLink::restingCaretOutlinesItsElement()
{
    QFETCH(QString, body);
    QFETCH(QString, tag);
    QFETCH(QString, name);

    const QString head = QStringLiteral("<!DOCTYPE html><html><head><title>t</title></head><body>");
    const int caret = static_cast<int>(head.size() + body.indexOf(u'^'));
    const QString text = head + QString(body).remove(u'^') + QStringLiteral("</body></html>");
    ScriptedHost host;
    frmMainWin w(host);
    PreviewBrowser *view = showInTab(w, host, text, caret);
    QVERIFY(view);

    const int expected = static_cast<int>(text.indexOf(tag));
    QTRY_COMPARE_WITH_TIMEOUT(outlineState(view).value(QStringLiteral("offset")).toInt(), expected, timeout);
    const QVariantMap state = outlineState(view);
    QCOMPARE(state.value(QStringLiteral("name")).toString(), name);
    QVERIFY(state.value(QStringLiteral("shown")).toBool());
    // The box stands around the element, in sight.
    const QString element = QStringLiteral("document.querySelector('[data-zv-src=\"%1\"]').getBoundingClientRect()").arg(expected);
    const QVariantList box = state.value(QStringLiteral("box")).toList();
    QCOMPARE(box.size(), 4);
    QCOMPARE(qRound(box.at(2).toDouble()), qRound(evaluate(view, element + QStringLiteral(".width")).toDouble()) + 4);
    const double top = evaluate(view, element + QStringLiteral(".top")).toDouble();
    QVERIFY2(top >= 0 && top < evaluate(view, QStringLiteral("window.innerHeight")).toDouble(), qPrintable(QString::number(top)));
    // A caret in the page's head has nothing drawn to outline.
    auto *maintabs = w.findChild<QTabWidget *>(QStringLiteral("maintabs"));
    maintabs->setCurrentIndex(0);
    w.r1().setSelStart(static_cast<int>(text.indexOf(QLatin1String("t</title>"))));
    maintabs->setCurrentIndex(1);
    QTRY_COMPARE_WITH_TIMEOUT(outlineState(view).value(QStringLiteral("shown")).toBool(), false, timeout);
    QCOMPARE(outlineState(view).value(QStringLiteral("offset")).toInt(), -1);
}

void tst_SourceLink::scrollingFollowsTheEditorAndBack()
{
    QString text = QStringLiteral("<!DOCTYPE html>\n<html><head><style>body { margin: 0 } p { margin: 0; height: 50px }</style>"
                                  "</head><body>\n");
    for (int i = 0; i < 150; ++i)
        text += QStringLiteral("<p id=\"p%1\">paragraph %1</p>\n").arg(i);
    text += QStringLiteral("</body></html>\n");
    const auto lineOf = [&text](int paragraph) {
        return static_cast<int>(text.left(text.indexOf(QStringLiteral("<p id=\"p%1\">").arg(paragraph))).count(u'\n'));
    };
    const auto topOf = [](QWebEngineView *view, int paragraph) {
        return evaluate(view, QStringLiteral("document.getElementById('p%1').getBoundingClientRect().top").arg(paragraph)).toDouble();
    };

    ScriptedHost host;
    frmMainWin w(host);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    EditorControl &r1 = w.r1();
    r1.setText(text);
    w.mnuPreview_Click();
    PreviewBrowser *view = browserOf(w.findChild<Form2 *>()->w1());
    QVERIFY(view);
    QVERIFY(waitShown(view, LocalAddress::url(host.tempFolder() + QStringLiteral("/Temp.html"))));

    // The paragraph at the editor's top line comes to the preview's top.
    r1.setFirstVisibleLine(lineOf(20));
    QTRY_COMPARE_WITH_TIMEOUT(qRound(topOf(view, 20)), 0, timeout);
    r1.setFirstVisibleLine(lineOf(7));
    QTRY_COMPARE_WITH_TIMEOUT(qRound(topOf(view, 7)), 0, timeout);

    // Both ways: scrolling the preview brings its top paragraph to the editor's top, and that
    // scroll of the editor leaves the preview where it was.
    auto *options = w.findChild<SourceLinkOptions *>();
    QVERIFY(options);
    options->setOn(SourceLinkOptions::ScrollBothWays, true);
    evaluate(view, QStringLiteral("window.scrollTo(0, document.getElementById('p40').offsetTop)"));
    QTRY_COMPARE_WITH_TIMEOUT(r1.firstVisibleLine(), lineOf(40), timeout);
    r1.setFirstVisibleLine(lineOf(30));
    QTRY_COMPARE_WITH_TIMEOUT(qRound(topOf(view, 30)), 0, timeout);
    QCOMPARE(r1.firstVisibleLine(), lineOf(30));
}

void tst_SourceLink::pageReachesNoneOfIt()
{
    const QString text = QStringLiteral("<!DOCTYPE html><html><head><title>t</title></head><body><section id=\"s\">inside</section>"
                                        "</body></html>");
    ScriptedHost host;
    frmMainWin w(host);
    PreviewBrowser *view = showInTab(w, host, text, static_cast<int>(text.indexOf(QLatin1String("inside"))) + 2);
    QVERIFY(view);
    QTRY_COMPARE_WITH_TIMEOUT(outlineState(view).value(QStringLiteral("name")).toString(), QStringLiteral("section"), timeout);

    // The page's own world has none of the link's names, no channel object, and sees into the
    // outline's box no more than into any closed shadow root; its name is nowhere in the page's DOM.
    const QVariantList seen = evaluate(view, QStringLiteral("(function () {"
                                                            " var host = document.documentElement.lastElementChild;"
                                                            " return [typeof sourceLink, typeof qt, typeof QWebChannel,"
                                                            " host.shadowRoot === null, host.children.length,"
                                                            " document.documentElement.outerHTML.split('section').length - 1]; })()"))
                                  .toList();
    QCOMPARE(seen.size(), 6);
    QCOMPARE(seen.at(0).toString(), QStringLiteral("undefined"));
    QCOMPARE(seen.at(1).toString(), QStringLiteral("undefined"));
    QCOMPARE(seen.at(2).toString(), QStringLiteral("undefined"));
    QVERIFY(seen.at(3).toBool());
    QCOMPARE(seen.at(4).toInt(), 0);
    // The page's own <section> and </section>, and no third.
    QCOMPARE(seen.at(5).toInt(), 2);
    // Replacing what a DOM function does in the page's world changes nothing in the link's.
    evaluate(view, QStringLiteral("document.querySelector = function () { return null; }; Element.prototype.getAttribute = null; 1"));
    QCOMPARE(inLinkWorld(view, QStringLiteral("sourceLink.outline(%1, 'again')").arg(text.indexOf(QLatin1String("<section"))))
                 .toInt(),
             static_cast<int>(text.indexOf(QLatin1String("<section"))));
}

void tst_SourceLink::switchesAreRemembered()
{
    ScriptedHost host;
    {
        frmMainWin w(host);
        auto *options = w.findChild<SourceLinkOptions *>();
        QVERIFY(options);
        QVERIFY(options->isOn(SourceLinkOptions::Outline));
        QVERIFY(options->isOn(SourceLinkOptions::SourceClick));
        QVERIFY(options->isOn(SourceLinkOptions::ScrollSync));
        QVERIFY(!options->isOn(SourceLinkOptions::ScrollBothWays));
        options->toggleAction(SourceLinkOptions::ScrollBothWays)->trigger();
        QVERIFY(options->isOn(SourceLinkOptions::ScrollBothWays));
        for (auto option : {SourceLinkOptions::Outline, SourceLinkOptions::SourceClick, SourceLinkOptions::ScrollSync})
            options->toggleAction(option)->trigger();
        // Both ways needs scrolling at all.
        QVERIFY(!options->isOn(SourceLinkOptions::ScrollBothWays));
        QVERIFY(!options->toggleAction(SourceLinkOptions::ScrollBothWays)->isEnabled());
        // With every link off, the preview's copy is the text as it is.
        w.Form_Load();
        w.r1().setText(QStringLiteral("<p>plain</p>"));
        w.RefreshQuickPreview();
        QCOMPARE(fileBytes(host.tempFolder() + QStringLiteral("/qprev.html")), QByteArray("<p>plain</p>"));
    }
    SourceLinkOptions again;
    QVERIFY(!again.isOn(SourceLinkOptions::Outline));
    QVERIFY(!again.isOn(SourceLinkOptions::SourceClick));
    QVERIFY(!again.isOn(SourceLinkOptions::ScrollSync));
    QVERIFY(again.toggleAction(SourceLinkOptions::ScrollBothWays)->isChecked());
    QVERIFY(!again.isOn(SourceLinkOptions::ScrollBothWays));
}

ZORVANE_TEST(tst_SourceLink)
#include "tst_SourceLink.moc"
