// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestMain.h"

#include <QProcess>
#include <QTest>

// Starts the real executable and closes it again.
class tst_Smoke : public QObject
{
    Q_OBJECT

private slots:
    void startsAndStops();
};

void tst_Smoke::startsAndStops()
{
    const QString executable = qEnvironmentVariable("ZORVANE_EXECUTABLE");
    if (executable.isEmpty())
        QSKIP("ZORVANE_EXECUTABLE names the program to start (CTest sets it)");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(executable, {});
    QVERIFY(process.waitForStarted(10000));
    // Still running after start-up: no crash while the main window loaded and showed.
    QVERIFY(!process.waitForFinished(3000));
    QCOMPARE(process.state(), QProcess::Running);
    process.terminate();
    QVERIFY(process.waitForFinished(10000));
}

ZORVANE_TEST(tst_Smoke)
#include "tst_Smoke.moc"
