// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>
#include <unistd.h>

namespace {

std::map<std::string, std::function<QObject *()>> &registry()
{
    static std::map<std::string, std::function<QObject *()>> units;
    return units;
}

} // namespace

int TestRegistry::add(const char *name, std::function<QObject *()> create)
{
    registry().emplace(name, std::move(create));
    return 0;
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    // The browser engine's sandbox cannot run as root, and tests never reach the network.
    if (::getuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking --disable-component-update --no-first-run");
    // Settings, journals and caches go to a folder of the run's own, never the user's.
    const QTemporaryDir home;
    if (!home.isValid())
        qFatal("no temporary folder for the test's settings");
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, QFile::encodeName(home.filePath(QString::fromLatin1(name))));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zorvane"));
    QApplication::setApplicationName(QStringLiteral("Zorvane"));

    QStringList arguments = app.arguments();
    QString only;
    const qsizetype at = arguments.indexOf(QStringLiteral("--unit"));
    if (at >= 0 && at + 1 < arguments.size()) {
        only = arguments.at(at + 1);
        arguments.remove(at, 2);
    }
    int failures = 0;
    bool ran = false;
    for (const auto &[name, create] : registry()) {
        if (!only.isEmpty() && only != QString::fromStdString(name))
            continue;
        ran = true;
        std::unique_ptr<QObject> unit(create());
        failures += QTest::qExec(unit.get(), arguments);
    }
    if (!ran) {
        qCritical("no test unit named %s", qPrintable(only));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
