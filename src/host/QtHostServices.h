// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/HostServices.h"

#include <QPointer>
#include <QWidget>

// HostServices with real Qt dialogs, the system clipboard and real files.
class QtHostServices : public HostServices
{
public:
    QtHostServices() = default;

    // The window that owns message boxes and file dialogs.
    void setMainWindow(QWidget *window) { m_mainWindow = window; }

    int MsgBox(const QString &text, int style = OkOnly, const QString &title = {}) override;
    std::optional<QString> InputBox(const QString &prompt, const QString &title, const QString &defaultText, int xTwips,
                                    int yTwips) override;
    std::optional<QString> ShowOpen(const QString &title, const QString &filter) override;
    std::optional<QString> ShowSave(const QString &title, const QString &filter) override;
    void setClipboardText(const QString &text) override;
    QString clipboardText() override;
    QString tempFolder(QString *error = nullptr) override;
    std::unique_ptr<FileReader> openFile(const QString &path, qint64 sizeLimit) override;
    using HostServices::writeFileAtomic;
    using HostServices::writeFileFresh;
    QString writeFileAtomic(const QString &path, const ByteSource &bytes, bool mustExist) override;
    QString writeFileFresh(const QString &path, const ByteSource &bytes) override;
    bool deleteFile(const QString &path) override;
    int execModal(QDialog &dialog) override;
    void endProcess() override;

    // "HTML Documents|*.htm;*.html|All Files|*.*" as Qt name filters.
    static QStringList nameFilters(const QString &filter);

private:
    QWidget *owner() const;

    QPointer<QWidget> m_mainWindow;
};
