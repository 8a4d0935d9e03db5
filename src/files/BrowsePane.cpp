// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/BrowsePane.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

BrowsePane::BrowsePane(QWidget *parent)
    : QWidget(parent)
    , m_drive1(new QComboBox(this))
    , m_dir1(new QListWidget(this))
    , m_file1(new QListWidget(this))
{
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_file1->setObjectName(QStringLiteral("File1"));
    m_drive1->setAccessibleName(tr("Drives"));
    m_dir1->setAccessibleName(tr("Folders"));
    m_file1->setAccessibleName(tr("Files"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(m_drive1);
    layout->addWidget(m_dir1, 1);
    layout->addWidget(m_file1, 1);

    fillDrives();
    setDirPath(QDir::currentPath());

    connect(m_drive1, &QComboBox::activated, this, [this] { Drive1_Change(); });
    connect(m_dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        if (setDirPath(item->data(PathRole).toString()))
            emit Dir1_Change();
    });
    connect(m_file1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (current)
            emit File1_Click();
    });
}

void BrowsePane::fillDrives()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            roots << volume.rootPath();
    }
    roots.removeDuplicates();
    roots.removeAll(QStringLiteral("/"));
    roots.sort();
    roots.prepend(QStringLiteral("/"));
    for (const QString &root : roots)
        m_drive1->addItem(QIcon::fromTheme(QStringLiteral("drive-harddisk")), root, root);
}

void BrowsePane::Drive1_Change()
{
    // A volume that cannot be read leaves the folder list as it was.
    if (setDirPath(m_drive1->currentData().toString()))
        emit Dir1_Change();
}

bool BrowsePane::setDirPath(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return false;
    QDir dir(info.absoluteFilePath());
    m_dirPath = dir.absolutePath();
    m_dir1->clear();
    // The chosen folder's ancestors, then the folder itself, then its subfolders.
    QStringList chain;
    for (QDir up = dir; ; ) {
        chain.prepend(up.absolutePath());
        if (up.isRoot() || !up.cdUp())
            break;
    }
    const QIcon open = QIcon::fromTheme(QStringLiteral("folder-open"));
    const QIcon closed = QIcon::fromTheme(QStringLiteral("folder"));
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        const QString path = chain.at(depth);
        const QString name = depth == 0 ? path : QFileInfo(path).fileName();
        auto *item = new QListWidgetItem(open, QString(static_cast<int>(depth) * 2, u' ') + name, m_dir1);
        item->setData(PathRole, path);
    }
    m_dir1->setCurrentRow(m_dir1->count() - 1);
    const QString indent(static_cast<int>(chain.size()) * 2, u' ');
    const QFileInfoList children = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &child : children) {
        auto *item = new QListWidgetItem(closed, indent + child.fileName(), m_dir1);
        item->setData(PathRole, child.absoluteFilePath());
    }
    return true;
}

bool BrowsePane::isListed(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && name.mid(dot + 1).startsWith(QLatin1String("ht"), Qt::CaseInsensitive);
}

void BrowsePane::setFilePath(const QString &folder)
{
    m_filePath = folder;
    const QSignalBlocker quiet(m_file1);
    m_file1->clear();
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries) {
        if (isListed(entry.fileName()))
            m_file1->addItem(entry.fileName());
    }
}

QString BrowsePane::fileName() const
{
    const QListWidgetItem *item = m_file1->currentItem();
    return item ? item->text() : QString();
}
