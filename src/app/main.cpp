// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"
#include "app/frmSplash.h"
#include "files/DocumentFiles.h"
#include "text/FileIo.h"
#include "host/QtHostServices.h"

#include <QApplication>
#include <QCommandLineParser>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Zorvane: an HTML source editor."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The HTML file to open."), QStringLiteral("[FILE]"));
}

// --help and --version are answered before the window system is reached, so they work without
// a display. Anything else waits until the application has taken its own options (-platform,
// -style ...), so those are no unknown options.
void answerWithoutDisplay(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments))
        return;
    const QStringList answered = {QStringLiteral("help"), QStringLiteral("help-all"), QStringLiteral("version")};
    if (std::none_of(answered.cbegin(), answered.cend(), [&parser](const QString &name) { return parser.isSet(name); }))
        return;
    const QCoreApplication console(argc, argv);
    parser.process(console); // prints and exits
}

// The command line's file argument as it was given, as bytes: after the application has taken
// its own options, every argument but ours is the file.
QByteArray rawFileArgument(int argc, char *argv[])
{
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !argument.startsWith('-') || argument == "-")
            return argument;
    }
    return {};
}

} // namespace

// Main: the splash while the main window loads, then the main window.
int main(int argc, char *argv[])
{
    // Chromium's sandbox cannot run as root.
    if (::getuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setOrganizationName(QStringLiteral("Zorvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Zorvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZORVANE_VERSION));
    answerWithoutDisplay(argc, argv);

    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("io.github.zorvane.Zorvane"));
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app); // an unknown option: the error on stderr, exit code 1
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(
            stderr, "%s\n",
            qPrintable(QStringLiteral("Only one FILE can be opened; %1 were given.").arg(parser.positionalArguments().size())));
        return 1;
    }
    // The one place the file argument becomes a path: from its raw bytes, so any file name opens.
    const QByteArray fileArgument = rawFileArgument(argc, argv);
    const QString filePath = fileArgument.isEmpty() ? QString() : FileIo::pathFromArgument(fileArgument.constData());

    QtHostServices host;
    auto *splash = new frmSplash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    frmMainWin window(host);
    host.setMainWindow(&window);
    splash->repaint();
    window.restoreSettings();
    window.Form_Load();
    delete splash;
    window.show();
    window.BuildTagTree();

    // Unsaved text from a run that ended without closing comes first; a file named on the command
    // line then asks before it replaces what was recovered.
    const bool recovered = window.offerRecovery();
    if (!filePath.isEmpty()) {
        if (recovered)
            window.openFileAsked(filePath);
        else
            window.files().openDocument(filePath);
    }
    return QApplication::exec();
}
