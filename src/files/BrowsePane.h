// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FolderWatch.h"

#include <QWidget>

class QComboBox;
class QListWidget;

// The Browse tab: the mounted volumes (Drive1), the folder list (Dir1) with the chosen folder's
// ancestors and subfolders, and the HTML files in it (File1, pattern "*.ht*" in any case).
class BrowsePane : public QWidget
{
    Q_OBJECT

public:
    explicit BrowsePane(QWidget *parent = nullptr);

    QComboBox *Drive1() const { return m_drive1; }
    QListWidget *Dir1() const { return m_dir1; }
    QListWidget *File1() const { return m_file1; }

    QString dirPath() const { return m_dirPath; }
    QString filePath() const { return m_filePath; }
    // The selected file's name without its folder, or an empty string.
    QString fileName() const;

    // Shows folder in Dir1 and raises Dir1_Change; false, with nothing changed, when it is no
    // folder. A folder that cannot be listed is shown without subfolders.
    bool setDirPath(const QString &folder);
    // Lists folder's HTML files in File1, nothing selected; an unlistable folder gives an empty
    // list.
    void setFilePath(const QString &folder);

    // Selects again the file that was selected before the last File1_Click, without raising it:
    // for a click that loaded nothing.
    void restoreFileSelection();

    // Shows the folder shown when the program last ran, if it is still a folder; false, with
    // nothing changed, otherwise.
    bool restoreRememberedFolder();

public slots:
    // The drive chosen in Drive1: its root folder in Dir1. A drive that cannot be read changes
    // nothing.
    void Drive1_Change();

signals:
    void Dir1_Change();
    // The selected file changed, by the mouse or the keyboard.
    void File1_Click();

private:
    void fillDrives();
    // Lists File1's folder again, keeping the selected file selected.
    void fillFiles();
    // Shows in Drive1 the volume that holds folder.
    void showDriveOf(const QString &folder);
    void rememberFolder() const;

    QComboBox *m_drive1 = nullptr;
    QListWidget *m_dir1 = nullptr;
    QListWidget *m_file1 = nullptr;
    FolderWatch m_watch;
    QString m_dirPath;
    QString m_filePath;
    QString m_selectedFile;
    QString m_previousFile;
};
