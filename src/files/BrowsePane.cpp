// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/BrowsePane.h"

#include "text/FileIo.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QListWidget>
#include <QSettings>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int PathRole = Qt::UserRole;

// The volume holding folder; "/" where the system does not tell (as inside a chroot).
QString volumeOf(const QString &folder)
{
    const QString root = QStorageInfo(folder).rootPath();
    return root.isEmpty() ? QStringLiteral("/") : root;
}
const QString folderKey = QStringLiteral("browse/folder");

// The folder list keeps its height (1890 twips); the file list takes the rest of the pane.
constexpr int Dir1Height = 1890 / 15;

// "*.ht*": the name's extension, after its last dot, begins with "ht" in any letter case.
bool isListed(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && name.mid(dot + 1).startsWith(QLatin1String("ht"), Qt::CaseInsensitive);
}

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
    m_dir1->setFixedHeight(Dir1Height);
    m_file1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(&m_watch, &FolderWatch::changed, this, &BrowsePane::fillFiles);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(m_drive1);
    layout->addWidget(m_dir1);
    layout->addWidget(m_file1, 1);

    fillDrives();
    setDirPath(QDir::currentPath());
    // From here on the folder the user goes to is the one the next run starts in.
    connect(this, &BrowsePane::Dir1_Change, this, &BrowsePane::rememberFolder);

    connect(m_drive1, &QComboBox::activated, this, &BrowsePane::Drive1_Change);
    connect(m_dir1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setDirPath(item->data(PathRole).toString()); });
    // The selection, not the current item: tabbing into the list makes its first entry current
    // without selecting it, and that must not open a file.
    connect(m_file1, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> selected = m_file1->selectedItems();
        if (selected.isEmpty())
            return;
        m_previousFile = std::exchange(m_selectedFile, selected.constFirst()->text());
        emit File1_Click();
    });
}

void BrowsePane::fillDrives()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        // Bind-mounted single files are volumes too, but no drive to browse.
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir())
            roots << volume.rootPath();
    }
    roots.removeDuplicates();
    roots.removeAll(QStringLiteral("/"));
    roots.sort();
    roots.prepend(QStringLiteral("/"));
    for (const QString &root : roots)
        m_drive1->addItem(QIcon::fromTheme(QStringLiteral("drive-harddisk"), style()->standardIcon(QStyle::SP_DriveHDIcon)), root, root);
}

void BrowsePane::showDriveOf(const QString &folder)
{
    const int index = m_drive1->findData(volumeOf(folder));
    m_drive1->setCurrentIndex(index >= 0 ? index : 0);
}

void BrowsePane::Drive1_Change()
{
    const QString chosen = m_drive1->currentData().toString();
    // Choosing the drive already shown is no change.
    if (chosen == volumeOf(m_dirPath))
        return;
    const QFileInfo root(chosen);
    // A volume without a medium, or one that cannot be read, leaves everything as it was.
    if (!root.isDir() || !root.isReadable() || !setDirPath(root.absoluteFilePath()))
        showDriveOf(m_dirPath);
}

bool BrowsePane::setDirPath(const QString &folder)
{
    // Names are handled as text and listed through FileIo, so folders whose names are not
    // UTF-8 can be browsed too.
    if (!FileIo::isFolder(folder))
        return false;
    m_dirPath = QDir::cleanPath(QDir::isAbsolutePath(folder) ? folder : QDir::current().filePath(folder));
    m_dir1->clear();
    // The chosen folder's ancestors, then the folder itself, then its subfolders.
    QStringList chain{QStringLiteral("/")};
    for (const QString &segment : m_dirPath.split(u'/', Qt::SkipEmptyParts))
        chain.append(QDir(chain.constLast()).filePath(segment));
    const QIcon open = QIcon::fromTheme(QStringLiteral("folder-open"), style()->standardIcon(QStyle::SP_DirOpenIcon));
    const QIcon closed = QIcon::fromTheme(QStringLiteral("folder"), style()->standardIcon(QStyle::SP_DirClosedIcon));
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        const QString path = chain.at(depth);
        const QString name = depth == 0 ? path : path.mid(path.lastIndexOf(u'/') + 1);
        auto *item = new QListWidgetItem(open, QString(static_cast<int>(depth) * 2, u' ') + FileIo::displayName(name), m_dir1);
        item->setData(PathRole, path);
    }
    m_dir1->setCurrentRow(m_dir1->count() - 1);
    const QString indent(static_cast<int>(chain.size()) * 2, u' ');
    for (const FileIo::FolderEntry &child : FileIo::listFolder(m_dirPath)) {
        if (!child.folder)
            continue;
        auto *item = new QListWidgetItem(closed, indent + FileIo::displayName(child.name), m_dir1);
        item->setData(PathRole, QDir(m_dirPath).filePath(child.name));
    }
    showDriveOf(m_dirPath);
    emit Dir1_Change();
    return true;
}

void BrowsePane::setFilePath(const QString &folder)
{
    m_filePath = folder;
    m_selectedFile.clear();
    m_previousFile.clear();
    // Files saved or deleted there, by this program or another, show up in the list.
    m_watch.watch(folder);
    fillFiles();
}

void BrowsePane::fillFiles()
{
    const QSignalBlocker quiet(m_file1);
    m_file1->clear();
    // Hidden files stay hidden, as in the file dialogs. Pipes and devices are listed: opening
    // one says what it is.
    for (const FileIo::FolderEntry &entry : FileIo::listFolder(m_filePath)) {
        if (!entry.folder && isListed(entry.name))
            m_file1->addItem(entry.name);
    }
    const QList<QListWidgetItem *> found = m_file1->findItems(m_selectedFile, Qt::MatchExactly);
    if (!m_selectedFile.isEmpty() && !found.isEmpty())
        m_file1->setCurrentItem(found.constFirst());
}

QString BrowsePane::fileName() const
{
    return m_selectedFile;
}

void BrowsePane::restoreFileSelection()
{
    const QSignalBlocker quiet(m_file1);
    m_selectedFile = m_previousFile;
    const QList<QListWidgetItem *> found = m_file1->findItems(m_previousFile, Qt::MatchExactly);
    if (m_previousFile.isEmpty() || found.isEmpty()) {
        m_file1->clearSelection();
        return;
    }
    m_file1->setCurrentItem(found.constFirst());
}

bool BrowsePane::restoreRememberedFolder()
{
    const QString folder = FileIo::decodeName(QSettings().value(folderKey).toByteArray());
    return QDir::isAbsolutePath(folder) && setDirPath(folder);
}

void BrowsePane::rememberFolder() const
{
    // Kept as the name's bytes, which a settings file holds whatever they are.
    QSettings().setValue(folderKey, FileIo::encodeName(m_dirPath));
}
