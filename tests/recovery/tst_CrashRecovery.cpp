// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The real program on a virtual display: text typed into it survives kill -9 and comes back,
// tied to its file, when the next start is told Yes.
class tst_CrashRecovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void typedTextSurvivesKill();

private:
    // Runs xdotool; its output, trimmed.
    QString xdotool(const QStringList &arguments);
    // The id of the visible window whose title matches pattern, waiting up to timeout.
    QString waitForWindow(const QString &pattern, int timeout = 60000);
    QStringList journals() const;
    void startEditor(QProcess &editor, const QString &file);

    QTemporaryDir m_home;
    QProcess m_display;
    QString m_displayName;
};

void tst_CrashRecovery::initTestCase()
{
    if (qEnvironmentVariable("ZORVANE_EXECUTABLE").isEmpty())
        QSKIP("ZORVANE_EXECUTABLE names the program to start (CTest sets it)");
    for (const char *tool : {"Xvfb", "xdotool"})
        QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                 qPrintable(QStringLiteral("%1 is needed (scripts/deps installs it)").arg(QString::fromLatin1(tool))));
    QVERIFY(m_home.isValid());
    // Xvfb picks a free display and writes its number to the given descriptor.
    m_display.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                     QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QVERIFY(m_display.waitForStarted(10000));
    QElapsedTimer waited;
    waited.start();
    while (!m_display.canReadLine() && waited.elapsed() < 30000)
        m_display.waitForReadyRead(1000);
    const QByteArray number = m_display.readLine().trimmed();
    QVERIFY2(!number.isEmpty(), "Xvfb did not start");
    m_displayName = QStringLiteral(":") + QString::fromLatin1(number);
}

void tst_CrashRecovery::cleanupTestCase()
{
    if (m_display.state() != QProcess::NotRunning) {
        m_display.terminate();
        m_display.waitForFinished(10000);
    }
}

QString tst_CrashRecovery::xdotool(const QStringList &arguments)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_displayName);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(20000))
        tool.kill();
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

QString tst_CrashRecovery::waitForWindow(const QString &pattern, int timeout)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeout) {
        const QString found =
            xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern});
        if (!found.isEmpty())
            return found.split(u'\n').constLast();
        QTest::qWait(200);
    }
    return {};
}

QStringList tst_CrashRecovery::journals() const
{
    return QDir(m_home.filePath(QStringLiteral("state/zorvane"))).entryList({QStringLiteral("*.journal")}, QDir::Files);
}

void tst_CrashRecovery::startEditor(QProcess &editor, const QString &file)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_displayName);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("HOME"), m_home.path());
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        environment.insert(QString::fromLatin1(name), m_home.filePath(QString::fromLatin1(name).section(u'_', 1, 1).toLower()));
    editor.setProcessEnvironment(environment);
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    editor.start(qEnvironmentVariable("ZORVANE_EXECUTABLE"), {file});
    QVERIFY(editor.waitForStarted(10000));
}

void tst_CrashRecovery::typedTextSurvivesKill()
{
    const QByteArray original = "<HTML>\r\n<BODY>\r\nFirst line\r\n</BODY>\r\n</HTML>";
    const QString page = m_home.filePath(QStringLiteral("page.html"));
    {
        QFile out(page);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(original);
    }
    const QString typed = QStringLiteral("unsaved words");

    QProcess first;
    startEditor(first, page);
    const QString window = waitForWindow(QStringLiteral("^Zorvane v1\\.0 - \\[page\\.html\\]$"));
    QVERIFY2(!window.isEmpty(), "the main window did not appear");
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    // Into the editor, right of the left pane and below the toolbars.
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QStringLiteral("600"), QStringLiteral("300"),
             QStringLiteral("click"), QStringLiteral("1")});
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), typed});
    // The journal follows a few seconds after the typing stops.
    QTRY_VERIFY_WITH_TIMEOUT(!journals().isEmpty(), 30000);
    first.kill(); // SIGKILL: nothing runs on the way out
    QVERIFY(first.waitForFinished(10000));
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);
    QCOMPARE(journals().size(), 1);
    QCOMPARE(QFile(page).size(), qint64(original.size())); // the file itself is untouched

    QProcess second;
    startEditor(second, page);
    const QString question = waitForWindow(QStringLiteral("^Prompt$"));
    QVERIFY2(!question.isEmpty(), "the recovery question did not appear");
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), question});
    xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("Return")}); // Yes is the default
    const QString restored = waitForWindow(QStringLiteral("^Zorvane v1\\.0 - \\[page\\.html\\]$"));
    QVERIFY(!restored.isEmpty());
    // The command line's file would replace the recovered text: the program asks first.
    const QString before = waitForWindow(QStringLiteral("^Prompt$"));
    QVERIFY2(!before.isEmpty(), "no question before the command line's file replaced the recovered text");
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), before});
    xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("Escape")}); // Cancel: keep it
    // Tied to its file with Save on: Ctrl+S writes the recovered text there without a dialog.
    QTRY_VERIFY_WITH_TIMEOUT(
        xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QStringLiteral("^Prompt$")})
            .isEmpty(),
        20000);
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), restored});
    xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("ctrl+s")});
    QTRY_VERIFY_WITH_TIMEOUT(QFile(page).size() == original.size() + typed.size(), 20000);
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
