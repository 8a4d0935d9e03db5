// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/ByteSource.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class FileReader;
class QDialog;

// Everything the program asks of its surroundings: modal questions, file dialogs, the clipboard,
// files and the private temp folder, modal windows and the end of the process. Subsystems use
// only this interface, so every behaviour can be driven offscreen with scripted answers.
class HostServices
{
public:
    // Message box styles: buttons plus icon, as the callers pass them.
    enum MsgStyle {
        OkOnly = 0,
        RetryCancel = 5,
        YesNoCancel = 3,
        YesNo = 4,
        Exclamation = 48,
        Information = 64,
    };
    // Buttons a message box returns.
    enum MsgResult { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

    HostServices() = default;
    virtual ~HostServices() = default;
    HostServices(const HostServices &) = delete;
    HostServices &operator=(const HostServices &) = delete;

    // A modal message box; an empty title shows the application's title.
    virtual int MsgBox(const QString &text, int style = OkOnly, const QString &title = {}) = 0;

    // A modal input box whose top-left corner is at x, y (twips). Empty when cancelled.
    virtual std::optional<QString> InputBox(const QString &prompt, const QString &title, const QString &defaultText, int xTwips,
                                            int yTwips) = 0;

    // File dialogs. filter: description and patterns pairs joined by "|", patterns by ";".
    // Empty when cancelled; otherwise the chosen file's absolute path.
    virtual std::optional<QString> ShowOpen(const QString &title, const QString &filter) = 0;
    virtual std::optional<QString> ShowSave(const QString &title, const QString &filter) = 0;

    virtual void setClipboardText(const QString &text) = 0;
    virtual QString clipboardText() = 0;

    // The user's private temp folder (mode 0700, owned by the user, not a symlink), created and
    // checked on every call. Empty, with error set, when it cannot be had.
    virtual QString tempFolder(QString *error = nullptr) = 0;

    // Opens a regular file to be read a piece at a time, at most sizeLimit bytes of it, following
    // links; refuses folders, pipes, devices and sockets without opening or waiting on them.
    // Never null: the reader tells whether it is open, and why not.
    virtual std::unique_ptr<FileReader> openFile(const QString &path, qint64 sizeLimit) = 0;
    // Saves bytes into path, writing through a symlink to its target and keeping the file's
    // mode, owner and group. Where the folder allows it, a complete new file replaces the old
    // atomically; a file with several hard links, or in a folder the user cannot write, is
    // rewritten in place after making sure the bytes fit. Pipes, devices and sockets are never
    // replaced. With mustExist a missing file is a failure, not created. Returns the reason of
    // a failure, saying what state the file is in, or an empty string. The bytes are taken a
    // piece at a time as they are written; pieces that hold more or fewer bytes than announced
    // are a failure, the old file left whole where it was replaced rather than rewritten.
    virtual QString writeFileAtomic(const QString &path, const ByteSource &bytes, bool mustExist) = 0;
    QString writeFileAtomic(const QString &path, const QByteArray &bytes, bool mustExist)
    {
        return writeFileAtomic(path, ByteSource::whole(bytes), mustExist);
    }
    // Creates path afresh, never following or reusing what stood at that name. For files in the
    // private temp folder. Returns the reason of a failure, with nothing left at path, or an
    // empty string.
    virtual QString writeFileFresh(const QString &path, const ByteSource &bytes) = 0;
    QString writeFileFresh(const QString &path, const QByteArray &bytes)
    {
        return writeFileFresh(path, ByteSource::whole(bytes));
    }
    virtual bool deleteFile(const QString &path) = 0;

    // Shows dialog modal, owned by its parent; returns its result when it has closed.
    virtual int execModal(QDialog &dialog) = 0;

    // Closes every window and leaves the event loop, so no further handler runs.
    virtual void endProcess() = 0;
};
