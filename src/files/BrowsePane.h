// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QComboBox;
class QListWidget;
class QListWidgetItem;

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

    // Shows folder in Dir1; false, with nothing changed, when it is no readable folder.
    bool setDirPath(const QString &folder);
    // Lists folder's HTML files in File1; an unlistable folder gives an empty list.
    void setFilePath(const QString &folder);

    // Whether name is listed by the "*.ht*" pattern.
    static bool isListed(const QString &name);

signals:
    void Dir1_Change();
    // The selected file changed, by the mouse or the keyboard.
    void File1_Click();

private:
    void Drive1_Change();
    void fillDrives();

    QComboBox *m_drive1 = nullptr;
    QListWidget *m_dir1 = nullptr;
    QListWidget *m_file1 = nullptr;
    QString m_dirPath;
    QString m_filePath;
};
