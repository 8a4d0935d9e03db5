// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/HostServices.h"
#include "text/TextDecoding.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class EditorControl;
class FileReader;
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

signals:
    // The document now holds path's text, read by Open, the Browse pane or the command line.
    void fileOpened(const QString &path);
    // The document was written into path.
    void fileSaved(const QString &path);

private:
    // The file opened for reading, after the question a large one asks first; null when the user
    // chose not to open it. A reader that did not open, or that is too large, says why.
    std::unique_ptr<FileReader> openForReading(const QString &path);
    // Asks whether a text its file's encoding cannot hold may be written as UTF-8 instead.
    bool agreeToUtf8();
    bool saveTo(const QString &path, bool mustExist);

    EditorControl &m_r1;
    HostServices &m_host;
    QAction &m_save;
    WindowHooks m_hooks;
};
