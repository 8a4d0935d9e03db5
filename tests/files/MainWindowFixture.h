// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RawTree.h"

#include "app/frmMainWin.h"
#include "files/DocumentFiles.h"
#include "support/ScriptedHost.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

// A loaded main window driven by scripted answers, and a folder of its own for the files.
class MainWindowFixture
{
public:
    MainWindowFixture() { w.Form_Load(); }

    QString path(const QString &name) const { return QDir(folder.path()).filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        const QString file = path(name);
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
        return file;
    }

    static QByteArray read(const QString &file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(unreadable)");
    }

    // Runs a menu command as the user would.
    void run(const char *command) { w.action(QString::fromLatin1(command))->trigger(); }

    bool saveFlag() const { return w.action(QStringLiteral("mnuSave"))->isEnabled(); }

    // Caption, whether the document has a file, and the Save flag, which the menu item and the
    // toolbar button must show alike.
    QString state() const
    {
        const bool button = w.toolbarButton(QStringLiteral("Save"))->isEnabled();
        const QString flag = button != saveFlag() ? QStringLiteral("menu and toolbar differ")
                                                  : saveFlag() ? QStringLiteral("on") : QStringLiteral("off");
        return QStringLiteral("%1 | %2 | Save %3")
            .arg(w.windowTitle(), w.files().SavedBefore ? QStringLiteral("file") : QStringLiteral("no file"), flag);
    }

    // Opens file through File > Open, saying No to the question that the unsaved template asks.
    void open(const QString &file)
    {
        if (saveFlag())
            host.answerMsgBox(HostServices::No);
        host.answerFileDialog(file);
        run("mnuOpen");
    }

    QTemporaryDir folder;
    RawTree rawTree{folder};
    ScriptedHost host;
    frmMainWin w{host};
};
