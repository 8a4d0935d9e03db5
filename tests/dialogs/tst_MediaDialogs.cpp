// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmImage.h"
#include "dialogs/frmPlugIn.h"
#include "dialogs/frmVideo.h"

#include "DialogTestKit.h"
#include "support/ScriptedHost.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

// The image, video and plug-in dialogs, which share the file button and the Cancel that
// refreshes the preview.
class tst_MediaDialogs : public QObject
{
    Q_OBJECT

private slots:
    void imageOk_data();
    void imageOk();
    void videoOk_data();
    void videoOk();
    void plugInOk_data();
    void plugInOk();
    void opening_data();
    void opening();
    void tabOrder_data();
    void tabOrder();
    void fileButton_data();
    void fileButton();
    void cancelledFileDialogKeepsLaterTyping();
    void cancelRefreshesPreview_data();
    void cancelRefreshesPreview();
};

namespace {

std::unique_ptr<ElementDialog> makeDialog(const QString &kind, DialogProbe &probe, HostServices &host)
{
    if (kind == QLatin1String("image"))
        return std::make_unique<frmImage>(probe.editor, host, probe.refresher());
    if (kind == QLatin1String("video"))
        return std::make_unique<frmVideo>(probe.editor, host, probe.refresher());
    return std::make_unique<frmPlugIn>(probe.editor, host, probe.refresher());
}

const char *okName(const QString &kind)
{
    return kind == QLatin1String("plugin") ? "cmdOK" : "Command2";
}

const QString kNoChange = QString();

} // namespace

void tst_MediaDialogs::imageOk_data()
{
    QTest::addColumn<QString>("address"); // null: the address as the dialog opens
    QTest::addColumn<QString>("fragment");

    QTest::newRow("default address") << kNoChange << R"(<img src="http://">)";
    QTest::newRow("typed") << "images/logo.gif" << R"(<img src="images/logo.gif">)";
    QTest::newRow("empty") << "" << R"(<img src="">)";
    QTest::newRow("one space") << " " << R"(<img src=" ">)";
    QTest::newRow("not escaped") << R"(a"b&c<d>)" << R"(<img src="a"b&c<d>">)";
    QTest::newRow("line break dropped") << "pic\nture.gif"
                                        << R"(<img src="picture.gif">)";
}

void tst_MediaDialogs::imageOk()
{
    QFETCH(QString, address);
    QFETCH(QString, fragment);

    DialogProbe probe;
    ScriptedHost host;
    frmImage dialog(probe.editor, host, probe.refresher());
    if (!address.isNull())
        control<QLineEdit>(dialog, "Text1")->setText(address);
    control<QPushButton>(dialog, "Command2")->click();

    VERIFY_INSERTED(probe, fragment);
    QCOMPARE(probe.refreshes, 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_MediaDialogs::videoOk_data()
{
    QTest::addColumn<QString>("address"); // null: the address as the dialog opens
    QTest::addColumn<QString>("fragment");

    QTest::newRow("default address") << kNoChange << R"(<img dynsrc="http://" start="fileopen">)";
    QTest::newRow("typed") << "clips/intro.avi" << R"(<img dynsrc="clips/intro.avi" start="fileopen">)";
    QTest::newRow("empty") << "" << R"(<img dynsrc="" start="fileopen">)";
    QTest::newRow("one space") << " " << R"(<img dynsrc=" " start="fileopen">)";
}

void tst_MediaDialogs::videoOk()
{
    QFETCH(QString, address);
    QFETCH(QString, fragment);

    DialogProbe probe;
    ScriptedHost host;
    frmVideo dialog(probe.editor, host, probe.refresher());
    if (!address.isNull())
        control<QLineEdit>(dialog, "Text1")->setText(address);
    control<QPushButton>(dialog, "Command2")->click();

    VERIFY_INSERTED(probe, fragment);
    QCOMPARE(probe.refreshes, 1);
}

void tst_MediaDialogs::plugInOk_data()
{
    // Text1 to Text7: source, message, height, width, border, hspace, vspace; none: as opened.
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("defaults") << QStringList() << false
                              << R"(<embed width="128" height="128" src="" border="" hspace="0" vspace="0"><noembed></noembed>)";
    QTest::newRow("hidden") << QStringList() << true
                            << R"(<embed width="128" height="128" src="" border="" hspace="0" vspace="0" hidden><noembed></noembed>)";
    QTest::newRow("hidden, empty width")
        << QStringList{"", "", "128", "", "", "0", "0"} << true
        << R"(<embed width="" height="128" src="" border="" hspace="0" vspace="0" hidden><noembed></noembed>)";
    QTest::newRow("width before height")
        << QStringList{"movie.mov", "Get the plug-in", "240", "320", "1", "5", "6"} << false
        << R"(<embed width="320" height="240" src="movie.mov" border="1" hspace="5" vspace="6"><noembed>Get the plug-in</noembed>)";
    QTest::newRow("one-space fields") << QStringList{" ", " ", " ", " ", " ", " ", " "} << false
                                      << R"(<embed width=" " height=" " src=" " border=" " hspace=" " vspace=" "><noembed> </noembed>)";
    QTest::newRow("message not escaped")
        << QStringList{"a.swf", R"(<a href="get.html">Get it</a> & more)", "128", "128", "", "0", "0"} << false
        << R"(<embed width="128" height="128" src="a.swf" border="" hspace="0" vspace="0"><noembed><a href="get.html">Get it</a> & more</noembed>)";
}

void tst_MediaDialogs::plugInOk()
{
    QFETCH(QStringList, fields);
    QFETCH(bool, hidden);
    QFETCH(QString, fragment);

    DialogProbe probe;
    ScriptedHost host;
    frmPlugIn dialog(probe.editor, host, probe.refresher());
    for (int i = 0; i < fields.size(); ++i)
        control<QLineEdit>(dialog, qPrintable(QStringLiteral("Text%1").arg(i + 1)))->setText(fields.at(i));
    if (hidden)
        control<QCheckBox>(dialog, "Check1")->click();
    control<QPushButton>(dialog, "cmdOK")->click();

    VERIFY_INSERTED(probe, fragment);
    QCOMPARE(probe.refreshes, 1);
}

void tst_MediaDialogs::opening_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("enterInserts"); // empty: Enter cancels

    QTest::newRow("image") << "image" << "Insert Image" << "Text1" << R"(<img src="http://">)";
    QTest::newRow("video") << "video" << "Insert Video" << "Command3" << "";
    QTest::newRow("plug-in") << "plugin" << "Insert Plug-In" << "Text1"
                             << R"(<embed width="128" height="128" src="" border="" hspace="0" vspace="0"><noembed></noembed>)";
}

// Title, focus at opening, and what Enter right after opening does: the focused control decides.
void tst_MediaDialogs::opening()
{
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    QFETCH(QString, enterInserts);

    DialogProbe probe;
    ScriptedHost host;
    std::unique_ptr<ElementDialog> dialog = makeDialog(kind, probe, host);
    QCOMPARE(dialog->windowTitle(), title);
    QVERIFY(showActive(*dialog));
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);

    pressOnFocus(Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(probe.refreshes, 1);
    if (enterInserts.isEmpty()) {
        VERIFY_UNTOUCHED(probe);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    } else {
        VERIFY_INSERTED(probe, enterInserts);
    }
}

void tst_MediaDialogs::tabOrder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("image") << "image" << QStringList{"Text1", "Command1", "Command2", "Command3", "Text1"};
    QTest::newRow("video") << "video" << QStringList{"Command3", "Command2", "Command1", "Text1", "Command3"};
    QTest::newRow("plug-in") << "plugin"
                             << QStringList{"Text1", "cmdBrowse", "Text2", "Text3", "Text4", "Check1", "Text5", "Text6",
                                            "Text7", "cmdOK", "cmdCancel", "Text1"};
}

void tst_MediaDialogs::tabOrder()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, order);

    DialogProbe probe;
    ScriptedHost host;
    std::unique_ptr<ElementDialog> dialog = makeDialog(kind, probe, host);
    QVERIFY(showActive(*dialog));
    QCOMPARE(tabWalk(*dialog, order.size() - 1), order);
}

void tst_MediaDialogs::fileButton_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("image file") << "image" << "http://" << false << "/home/ann/My Pictures/cat.png"
                                << "file:///home/ann/My Pictures/cat.png" << R"(<img src="file:///home/ann/My Pictures/cat.png">)";
    QTest::newRow("image path kept as it is") << "image" << "http://" << false << "/srv/a\\b/Stra\u00dfe #1.gif"
                                              << "file:///srv/a\\b/Stra\u00dfe #1.gif"
                                              << "<img src=\"file:///srv/a\\b/Stra\u00dfe #1.gif\">";
    QTest::newRow("image cancelled") << "image" << "http://example.com/x.gif" << true << ""
                                     << "http://example.com/x.gif" << R"(<img src="http://example.com/x.gif">)";
    QTest::newRow("image cancelled at opening")
        << "image" << kNoChange << true << "" << "http://" << R"(<img src="http://">)";
    QTest::newRow("video file") << "video" << "http://" << false << "/media/clips/run.avi" << "file:///media/clips/run.avi"
                                << R"(<img dynsrc="file:///media/clips/run.avi" start="fileopen">)";
    QTest::newRow("video cancelled") << "video" << "clip.ram" << true << "" << "clip.ram"
                                     << R"(<img dynsrc="clip.ram" start="fileopen">)";
    QTest::newRow("plug-in file")
        << "plugin" << "" << false << "/opt/show me.swf" << "file:///opt/show me.swf"
        << R"(<embed width="128" height="128" src="file:///opt/show me.swf" border="" hspace="0" vspace="0"><noembed></noembed>)";
    QTest::newRow("plug-in cancelled")
        << "plugin" << "tune.mid" << true << "" << "tune.mid"
        << R"(<embed width="128" height="128" src="tune.mid" border="" hspace="0" vspace="0"><noembed></noembed>)";
}

// The file button asks with its own title and filter and writes "file://" and the path; a
// cancelled file dialog leaves the address field as it was.
void tst_MediaDialogs::fileButton()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(bool, cancelled);
    QFETCH(QString, path);
    QFETCH(QString, address);
    QFETCH(QString, fragment);

    DialogProbe probe;
    ScriptedHost host;
    std::unique_ptr<ElementDialog> dialog = makeDialog(kind, probe, host);
    auto *text1 = control<QLineEdit>(*dialog, "Text1");
    if (!typed.isNull())
        text1->setText(typed);
    host.answerFileDialog(cancelled ? std::nullopt : std::optional<QString>(path));
    control<QPushButton>(*dialog, kind == QLatin1String("plugin") ? "cmdBrowse" : "Command1")->click();

    QVERIFY(host.allAnswered());
    QCOMPARE(host.asked().size(), 1);
    const ScriptedHost::Question &asked = host.asked().constFirst();
    QCOMPARE(asked.kind, QStringLiteral("ShowOpen"));
    if (kind == QLatin1String("image")) {
        QCOMPARE(asked.title, QStringLiteral("Select Image"));
        QCOMPARE(asked.filter,
                 QStringLiteral("All Picture Files|*.gif;*.jpg;*.bmp;*.png;*.tif;*.wmf;*.ras;*.eps;*.pcx;*.tga|All Files|*.*"));
    } else if (kind == QLatin1String("video")) {
        QCOMPARE(asked.title, QStringLiteral("Select Image"));
        QCOMPARE(asked.filter, QStringLiteral("All Video Files|*.avi;*.ram;*.ra|All Files|*.*"));
    } else {
        QCOMPARE(asked.title, QStringLiteral("Select File"));
        QCOMPARE(asked.filter, QStringLiteral("All Files|*.*"));
    }
    QCOMPARE(text1->text(), address);
    VERIFY_UNTOUCHED(probe);

    control<QPushButton>(*dialog, okName(kind))->click();
    VERIFY_INSERTED(probe, fragment);
}

// Each use of the file button replaces the whole address; a later cancel keeps what was typed
// after the earlier choice instead of bringing that choice back.
void tst_MediaDialogs::cancelledFileDialogKeepsLaterTyping()
{
    DialogProbe probe;
    ScriptedHost host;
    frmImage dialog(probe.editor, host, probe.refresher());
    auto *text1 = control<QLineEdit>(dialog, "Text1");
    auto *command1 = control<QPushButton>(dialog, "Command1");

    host.answerFileDialog(QStringLiteral("/pics/first.png"));
    command1->click();
    QCOMPARE(text1->text(), QStringLiteral("file:///pics/first.png"));
    host.answerFileDialog(QStringLiteral("/pics/second.jpg"));
    command1->click();
    QCOMPARE(text1->text(), QStringLiteral("file:///pics/second.jpg"));

    text1->setText(QStringLiteral("http://example.com/typed.png"));
    host.answerFileDialog(std::nullopt);
    command1->click();
    QCOMPARE(text1->text(), QStringLiteral("http://example.com/typed.png"));
    QVERIFY(host.allAnswered());
}

void tst_MediaDialogs::cancelRefreshesPreview_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("escape");

    for (const char *kind : {"image", "video", "plugin"}) {
        QTest::addRow("%s, Cancel button", kind) << kind << false;
        QTest::addRow("%s, Esc", kind) << kind << true;
    }
}

void tst_MediaDialogs::cancelRefreshesPreview()
{
    QFETCH(QString, kind);
    QFETCH(bool, escape);

    DialogProbe probe;
    ScriptedHost host;
    std::unique_ptr<ElementDialog> dialog = makeDialog(kind, probe, host);
    QVERIFY(showActive(*dialog));
    control<QLineEdit>(*dialog, "Text1")->setText(QStringLiteral("typed.gif"));
    if (escape)
        pressOnFocus(Qt::Key_Escape);
    else
        control<QPushButton>(*dialog, kind == QLatin1String("plugin") ? "cmdCancel" : "Command3")->click();

    VERIFY_UNTOUCHED(probe);
    QCOMPARE(probe.refreshes, 1);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!dialog->isVisible());
}

ZORVANE_TEST(tst_MediaDialogs)
#include "tst_MediaDialogs.moc"
