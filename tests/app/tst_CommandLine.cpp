// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestMain.h"

#include <QProcess>
#include <QTest>

// The real executable's command line: help and version work without a display, anything it
// does not know ends with an error before a window is shown.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
};

void tst_CommandLine::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display"); // false: no display of any kind
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("--help, no display") << QStringList{QStringLiteral("--help")} << false << 0 << QStringLiteral("Usage: ")
                                        << QString();
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << false << 0 << QStringLiteral("[FILE]") << QString();
    QTest::newRow("--version, no display") << QStringList{QStringLiteral("--version")} << false << 0
                                           << QStringLiteral("Zorvane 1.0\n") << QString();
    QTest::newRow("a toolkit option before --help")
        << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--help")} << true << 0
        << QStringLiteral("--version") << QString();
    QTest::newRow("unknown long option") << QStringList{QStringLiteral("--bogus")} << true << 1 << QString()
                                         << QStringLiteral("Unknown option 'bogus'.");
    QTest::newRow("unknown short option") << QStringList{QStringLiteral("-q"), QStringLiteral("page.html")} << true << 1
                                          << QString() << QStringLiteral("Unknown option 'q'.");
    QTest::newRow("two files") << QStringList{QStringLiteral("a.html"), QStringLiteral("b.html")} << true << 1 << QString()
                               << QStringLiteral("Only one FILE can be opened; 2 were given.");
}

void tst_CommandLine::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const QString executable = qEnvironmentVariable("ZORVANE_EXECUTABLE");
    if (executable.isEmpty())
        QSKIP("ZORVANE_EXECUTABLE names the program to start (CTest sets it)");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(executable, arguments);
    QVERIFY(process.waitForStarted(10000));
    // It ends by itself: no window waits for the user.
    QVERIFY(process.waitForFinished(30000));
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == exitCode, qPrintable(errors));
    if (out.isEmpty())
        QVERIFY2(output.isEmpty(), qPrintable(output));
    else
        QVERIFY2(output.contains(out), qPrintable(output));
    if (!err.isEmpty())
        QVERIFY2(errors.contains(err), qPrintable(errors));
}

ZORVANE_TEST(tst_CommandLine)
#include "tst_CommandLine.moc"
