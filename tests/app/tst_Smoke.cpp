// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestMain.h"
#include "support/VirtualDisplay.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Starts the real executable under a window manager, as a user's desktop does: the main window
// must appear with its title, without the browser engine, Qt Quick or an OpenGL driver loaded
// (they come with the first preview), and a close through the window manager, confirmed, must end
// the program cleanly.
class tst_Smoke : public QObject
{
    Q_OBJECT

private slots:
    void startsShowsAndCloses();
};

void tst_Smoke::startsShowsAndCloses()
{
    if (qEnvironmentVariable("ZORVANE_EXECUTABLE").isEmpty())
        QSKIP("ZORVANE_EXECUTABLE names the program to start (CTest sets it)");
    QTemporaryDir home;
    QVERIFY(home.isValid());
    VirtualDisplay display;
    const QString problem = display.start(true);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QProcess program;
    display.startProgram(program, home, {});
    QVERIFY(program.waitForStarted(10000));
    const QString window = display.waitForWindow(QStringLiteral("^Zorvane v1\\.0 - \\[Untitled\\]$"));
    QVERIFY2(!window.isEmpty(), "the main window with the untitled document's title did not appear");
    QCOMPARE(program.state(), QProcess::Running);
    QFile maps(QStringLiteral("/proc/%1/maps").arg(program.processId()));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    for (const char *library : {"libQt6WebEngineCore", "libQt6Quick", "libQt6Qml", "libQt6OpenGL", "libLLVM", "_dri.so", "libgallium"})
        QVERIFY2(!mapped.contains(library), library);

    // The window manager's close (Alt+F4 in openbox) asks before the program ends.
    display.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
    display.xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+F4")});
    const QString question = display.waitForWindow(QStringLiteral("^Prompt$"));
    QVERIFY2(!question.isEmpty(), "closing the window asked nothing");
    display.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), question});
    // "Save file before exit?" (the fresh template counts as unsaved): No leaves without saving.
    display.xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+n")});
    QVERIFY2(program.waitForFinished(60000), "the program did not end after the confirmed close");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

ZORVANE_TEST(tst_Smoke)
#include "tst_Smoke.moc"
