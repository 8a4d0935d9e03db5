// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HostServices.h"
#include "platform/TextDecoding.h"

#include <QObject>
#include <QString>

#include <functional>

class EditorControl;
class QAction;

// New, Open, Save and Save As of the one document, with the questions that protect unsaved
// work. The enabled state of the Save command is the unsaved-changes flag.
class DocumentFiles : public QObject
{
    Q_OBJECT

public:
    // What the main window does for the commands.
    struct WindowHooks {
        std::function<void()> resetDocument;
        std::function<void(const QString &)> setCaption;
        std::function<void(bool)> setCutCopyEnabled;
    };

    DocumentFiles(EditorControl &r1, HostServices &host, QAction &saveCommand, WindowHooks hooks);

    static QString fileFilter();
    static QString caption(const QString &name);

    bool SavedBefore = false;
    QString SavedBeforePath;
    TextFormat format; // how the document's file stores its text

    bool unsavedChanges() const;

    void mnuNew_Click();
    void mnuOpen_Click();
    // True when the document was written.
    bool mnuSave_Click();
    void mnuSaveAs_Click();

    // Asks the unsaved-changes question of Open; true when the command may go on.
    bool confirmDiscard(const QString &question);

    // Reads path into the editor as Open does (Cut and Copy off). On failure tells the user and
    // leaves the document as it was. True when the file was loaded.
    bool openDocument(const QString &path);

    // Reads path into the editor and names the document after name, leaving Cut and Copy as
    // they are. On failure tells the user and leaves the document as it was.
    bool openFile(const QString &path, const QString &name);

private:
    // Reads path, asking first when it is large. Not ok and no error: the user declined.
    HostServices::ReadResult readDocument(const QString &path);
    // Asks whether a text its file's encoding cannot hold may be written as UTF-8 instead.
    bool agreeToUtf8();
    bool saveTo(const QString &path, bool mustExist);

    EditorControl &m_r1;
    HostServices &m_host;
    QAction &m_save;
    WindowHooks m_hooks;
};
