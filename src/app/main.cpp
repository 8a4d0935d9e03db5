// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "app/frmSplash.h"
#include "files/DocumentFiles.h"
#include "platform/FileIo.h"
#include "platform/QtHostServices.h"

#include <QApplication>

#include <unistd.h>

// Main: the splash while the main window loads, then the main window.
int main(int argc, char *argv[])
{
    // Chromium's sandbox cannot run as root.
    if (::getuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zorvane"));
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.zorvane.Zorvane"));

    QtHostServices host;
    auto *splash = new frmSplash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    frmMainWin window(host);
    host.setMainWindow(&window);
    splash->repaint();
    window.Form_Load();
    delete splash;
    window.show();
    window.BuildTagTree();

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.files().openDocument(FileIo::pathFromArgument(argv[1])); // the raw bytes: any file name opens
    return QApplication::exec();
}
