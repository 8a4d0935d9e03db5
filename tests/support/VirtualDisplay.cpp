// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/VirtualDisplay.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

VirtualDisplay::~VirtualDisplay()
{
    for (QProcess *process : {&m_windowManager, &m_server}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(10000))
                process->kill();
        }
    }
}

QString VirtualDisplay::start(bool windowManager)
{
    QStringList tools = {QStringLiteral("Xvfb"), QStringLiteral("xdotool")};
    if (windowManager)
        tools << QStringLiteral("openbox");
    for (const QString &tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return QStringLiteral("%1 is needed (scripts/deps installs it)").arg(tool);
    }
    // Xvfb picks a free display and writes its number to the given descriptor.
    m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                                            QStringLiteral("tcp")});
    if (!m_server.waitForStarted(10000))
        return QStringLiteral("Xvfb did not start");
    QElapsedTimer waited;
    waited.start();
    while (!m_server.canReadLine() && m_server.state() == QProcess::Running && waited.elapsed() < 30000)
        m_server.waitForReadyRead(1000);
    const QByteArray number = m_server.readLine().trimmed();
    if (number.isEmpty())
        return QStringLiteral("Xvfb gave no display");
    m_name = QStringLiteral(":") + QString::fromLatin1(number);
    if (windowManager) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_name);
        m_windowManager.setProcessEnvironment(environment);
        m_windowManager.start(QStringLiteral("openbox"), {});
        if (!m_windowManager.waitForStarted(10000))
            return QStringLiteral("openbox did not start");
        // The manager runs once it has set its check window on the root window.
        for (waited.restart(); waited.elapsed() < 30000; QTest::qWait(100)) {
            QProcess property;
            property.setProcessEnvironment(environment);
            property.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
            if (property.waitForFinished(5000) && property.readAllStandardOutput().contains("window id"))
                return {};
        }
        return QStringLiteral("openbox did not take the screen");
    }
    return {};
}

QString VirtualDisplay::xdotool(const QStringList &arguments) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_name);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(20000))
        tool.kill();
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

QString VirtualDisplay::waitForWindow(const QString &pattern, int timeout) const
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

bool VirtualDisplay::hasWindow(const QString &pattern) const
{
    return !xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern}).isEmpty();
}

void VirtualDisplay::startProgram(QProcess &program, const QTemporaryDir &home, const QStringList &arguments) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_name);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("HOME"), home.path());
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        environment.insert(QString::fromLatin1(name), home.filePath(QString::fromLatin1(name).section(u'_', 1, 1).toLower()));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(qEnvironmentVariable("ZORVANE_EXECUTABLE"), arguments);
}
