// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestMain.h"
#include "support/VirtualDisplay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The real program on a virtual display: text typed into it survives kill -9 and comes back,
// tied to its file and its file's format, when the next start is told Yes.
class tst_CrashRecovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void typedTextSurvivesKill();

private:
    QStringList journals() const;

    QTemporaryDir m_home;
    VirtualDisplay m_display;
};

void tst_CrashRecovery::initTestCase()
{
    if (qEnvironmentVariable("ZORVANE_EXECUTABLE").isEmpty())
        QSKIP("ZORVANE_EXECUTABLE names the program to start (CTest sets it)");
    QVERIFY(m_home.isValid());
    const QString problem = m_display.start(false);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

QStringList tst_CrashRecovery::journals() const
{
    return QDir(m_home.filePath(QStringLiteral("state/zorvane"))).entryList({QStringLiteral("*.journal")}, QDir::Files);
}

void tst_CrashRecovery::typedTextSurvivesKill()
{
    // Windows-1252 with LF breaks, neither of them the default: a recovered page must be saved
    // back in the format it was read in, which only the journal remembers.
    const QByteArray original = "<HTML>\n<BODY>\nCaf\xE9 line\n</BODY>\n</HTML>";
    const QString page = m_home.filePath(QStringLiteral("page.html"));
    {
        QFile out(page);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(original);
    }
    const QString typed = QStringLiteral("unsaved words");

    QProcess first;
    m_display.startProgram(first, m_home, {page});
    QVERIFY(first.waitForStarted(10000));
    const QString window = m_display.waitForWindow(QStringLiteral("^Zorvane v1\\.0 - \\[page\\.html\\]$"));
    QVERIFY2(!window.isEmpty(), "the main window did not appear");
    m_display.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    // Into the editor, right of the left pane and below the toolbars.
    m_display.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QStringLiteral("600"), QStringLiteral("300"),
             QStringLiteral("click"), QStringLiteral("1")});
    m_display.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), typed});
    // The journal follows a few seconds after the typing stops.
    QTRY_VERIFY_WITH_TIMEOUT(!journals().isEmpty(), 30000);
    first.kill(); // SIGKILL: nothing runs on the way out
    QVERIFY(first.waitForFinished(10000));
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);
    QCOMPARE(journals().size(), 1);
    QCOMPARE(QFile(page).size(), qint64(original.size())); // the file itself is untouched

    QProcess second;
    m_display.startProgram(second, m_home, {page});
    QVERIFY(second.waitForStarted(10000));
    const QString question = m_display.waitForWindow(QStringLiteral("^Prompt$"));
    QVERIFY2(!question.isEmpty(), "the recovery question did not appear");
    m_display.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), question});
    m_display.xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("Return")}); // Yes is the default
    const QString restored = m_display.waitForWindow(QStringLiteral("^Zorvane v1\\.0 - \\[page\\.html\\]$"));
    QVERIFY(!restored.isEmpty());
    // The command line's file would replace the recovered text: the program asks first.
    const QString before = m_display.waitForWindow(QStringLiteral("^Prompt$"));
    QVERIFY2(!before.isEmpty(), "no question before the command line's file replaced the recovered text");
    m_display.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), before});
    m_display.xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("Escape")}); // Cancel: keep it
    // Tied to its file with Save on: Ctrl+S writes the recovered text there without a dialog.
    QTRY_VERIFY_WITH_TIMEOUT(!m_display.hasWindow(QStringLiteral("^Prompt$")), 20000);
    m_display.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), restored});
    m_display.xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("ctrl+s")});
    QTRY_VERIFY_WITH_TIMEOUT(QFile(page).size() != original.size(), 20000);
    QFile saved(page);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QByteArray content = saved.readAll();
    const qsizetype at = content.indexOf(typed.toUtf8());
    QVERIFY2(at >= 0, content.constData());
    QCOMPARE(content.remove(at, typed.size()), original);
    // Saved: nothing is left to recover.
    QTRY_VERIFY_WITH_TIMEOUT(journals().isEmpty(), 10000);
    second.kill();
    second.waitForFinished(10000);
}

ZORVANE_TEST(tst_CrashRecovery)
#include "tst_CrashRecovery.moc"
