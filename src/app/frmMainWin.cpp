// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"

#include "app/RecentFiles.h"
#include "app/Resources.h"
#include "app/StatusPanels.h"
#include "app/frmAbout.h"
#include "dialogs/frmColCode.h"
#include "dialogs/frmFrames.h"
#include "dialogs/frmTable.h"
#include "dialogs/frmHorizontalLine.h"
#include "dialogs/frmImage.h"
#include "dialogs/frmLineBreak.h"
#include "dialogs/frmMarquee.h"
#include "dialogs/frmPlugIn.h"
#include "dialogs/frmScript.h"
#include "dialogs/frmVideo.h"
#include "dialogs/BookmarkCommand.h"
#include "dialogs/frmCheckBox.h"
#include "dialogs/frmDropDownMenu.h"
#include "dialogs/frmHyperLink.h"
#include "dialogs/frmOneLineTextBox.h"
#include "dialogs/frmPushButton.h"
#include "dialogs/frmRadioButton.h"
#include "dialogs/frmScrollingTextBox.h"
#include "editing/ChangeTracker.h"
#include "editing/ClipboardCommands.h"
#include "files/BrowsePane.h"
#include "files/DocumentFiles.h"
#include "formatting/FormattingCommands.h"
#include "formatting/FormattingToolbar.h"
#include "host/AppTitle.h"
#include "editor/EditorControl.h"
#include "text/FileIo.h"
#include "host/HostServices.h"
#include "reference/TreeViewTags.h"
#include "preview/LivePreview.h"
#include "preview/PreviewWindow.h"
#include "preview/QuickPreview.h"
#include "recovery/DocumentJournal.h"
#include "recovery/JournalRecovery.h"
#include "search/frmFind.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The new-document template: nine lines joined by CR LF, none after the last.
QString documentTemplate()
{
    return QStringLiteral("<HTML>\r\n"
                          "<HEAD>\r\n"
                          "<!-- Created With Zorvane v1.0 //-->\r\n"
                          "<TITLE>Untitled</TITLE>\r\n"
                          "</HEAD>\r\n"
                          "<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000CC>\r\n"
                          "\r\n"
                          "</BODY>\r\n"
                          "</HTML>");
}

struct MenuEntry {
    const char *name;    // object name; empty for a separator
    const char *caption; // with its access key
    const char *menu;    // the menu or submenu it belongs to
    QKeySequence shortcut;
};

// The menu tree in display order. Entries whose caption is empty and name set are submenus.
const QList<MenuEntry> &menuTree()
{
    static const QList<MenuEntry> tree = {
        {"mnuNew", "New", "mnuFile", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnuOpen", "Open", "mnuFile", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"", "", "mnuFile", {}},
        {"mnuSave", "Save", "mnuFile", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuSaveAs", "Save As...", "mnuFile", {}},
        {"", "", "mnuFile", {}},
        {"mnuExit", "Exit", "mnuFile", {}},
        {"mnuUndo", "Undo", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"mnuRedo", "Redo", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {"", "", "mnuEdit", {}},
        {"mnuCut", "Cut", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {"mnuCopy", "Copy", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"mnuPaste", "Paste", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"", "", "mnuEdit", {}},
        {"mnuClear", "Clear", "mnuEdit", QKeySequence(Qt::ALT | Qt::Key_Backspace)},
        {"mnuSelectAll", "Select All", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"", "", "mnuEdit", {}},
        {"mnuFind", "Find and Replace", "mnuEdit", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"", "", "mnuEdit", {}},
        {"mnuPreview", "Preview in New Window", "mnuEdit", QKeySequence(Qt::Key_F11)},
        {"mnuLivePreview", "Live Preview", "mnuEdit", {}},
        {"mnuLineBreak", "&Line Break...", "mnuInsert", {}},
        {"mnuHorizontalLine", "Hori&zontal Line", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"mnuImage", "I&mage...", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"mnuActiveElements", "Active &Elements", "mnuInsert", {}},
        {"mnuMarquee", "Marquee...", "mnuActiveElements", {}},
        {"mnuVideo", "Video...", "mnuActiveElements", {}},
        {"mnuFormField", "F&orm Field", "mnuInsert", {}},
        {"mnuOneLineTextBox", "One-Line Text Box", "mnuFormField", {}},
        {"mnuScrollingTextBox", "Scrolling Text Box", "mnuFormField", {}},
        {"mnuCheckBox", "Check Box", "mnuFormField", {}},
        {"mnuRadioButton", "Radio Button", "mnuFormField", {}},
        {"mnuDropDownMenu", "Drop-Down Menu", "mnuFormField", {}},
        {"mnuPushButton", "Push Button", "mnuFormField", {}},
        {"mnuAdvanced", "Ad&vanced", "mnuInsert", {}},
        {"mnuPlugIn", "Plug-In...", "mnuAdvanced", {}},
        {"mnuScript", "Script...", "mnuAdvanced", {}},
        {"", "", "mnuInsert", {}},
        {"mnuHyperLink", "H&yperLink...", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"frmmnu", "&Frames", "mnuInsert", {}},
        {"mnutbins", "&Table", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"mnuhxcol", "Get &Hex Color Code", "mnuInsert", {}},
        {"", "", "mnuInsert", {}},
        {"mnuBookmark", "&Bookmark", "mnuInsert", {}},
        {"mnuAbout", "About", "mnuHelp", {}},
    };
    return tree;
}

const QString geometryKey = QStringLiteral("mainWindow/geometry");

// The local file a drag brings (the first, when it brings several), or an empty string. The
// path is taken from the address's own bytes, so a name that is no UTF-8 arrives intact.
QString draggedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return {};
    return FileIo::decodeName(QByteArray::fromPercentEncoding(urls.constFirst().path(QUrl::FullyEncoded).toLatin1()));
}

// The submenus of the tree.
bool isSubmenu(const QString &name)
{
    return name == QLatin1String("mnuActiveElements") || name == QLatin1String("mnuFormField") || name == QLatin1String("mnuAdvanced");
}

struct ToolbarEntry {
    const char *key;
    const char *toolTip;
    const char *command;
    const char *themeIcon;
    const char *fallback;
};

// The main toolbar's buttons in order; a null key separates groups.
const QList<ToolbarEntry> &toolbarButtons()
{
    static const QList<ToolbarEntry> buttons = {
        {"New", "New", "mnuNew", "document-new", "new"},
        {"Open", "Open", "mnuOpen", "document-open", "open"},
        {"Save", "Save", "mnuSave", "document-save", "save"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"Cut", "Cut", "mnuCut", "edit-cut", "cut"},
        {"Copy", "Copy", "mnuCopy", "edit-copy", "copy"},
        {"Paste", "Paste", "mnuPaste", "edit-paste", "paste"},
        {"Find", "Find", "mnuFind", "edit-find", "find"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"Undo", "Undo", "mnuUndo", "edit-undo", "undo"},
        {"Redo", "Redo", "mnuRedo", "edit-redo", "redo"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"Preview", "Preview in New Window", "mnuPreview", "document-print-preview", "preview"},
    };
    return buttons;
}

} // namespace

frmMainWin::frmMainWin(HostServices &host, QWidget *parent)
    : QMainWindow(parent)
    , m_host(host)
{
    initResources();
    setObjectName(QStringLiteral("frmMainWin"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.zorvane.Zorvane"), QIcon(QStringLiteral(":/icons/zorvane.svg"))));
    // 5880 by 5500 twips: the smallest window the layout is built for.
    setMinimumSize(392, 367);
    resize(900, 640);

    m_r1 = std::make_unique<EditorControl>();
    m_rtbTemp = std::make_unique<EditorControl>();
    m_r1->widget()->setObjectName(QStringLiteral("r1"));
    m_rtbTemp->widget()->setObjectName(QStringLiteral("rtbTemp"));
    m_rtbTemp->shareDocumentWith(*m_r1);

    createActions();
    createToolbar();
    createPanes();

    m_files = std::make_unique<DocumentFiles>(
        *m_r1, m_host, *action(QStringLiteral("mnuSave")),
        DocumentFiles::WindowHooks{[this] { ResetDocument(); }, [this](const QString &caption) { setWindowTitle(caption); },
                                   [this](bool enabled) { setCutCopyEnabled(enabled); }});

    connect(m_r1.get(), &EditorControl::Change, this, &frmMainWin::r1_Change);
    connect(action(QStringLiteral("mnuExit")), &QAction::triggered, this, &frmMainWin::mnuExit_Click);
    connect(action(QStringLiteral("mnuAbout")), &QAction::triggered, this, &frmMainWin::mnuAbout_Click);
    connect(action(QStringLiteral("mnuNew")), &QAction::triggered, m_files.get(), &DocumentFiles::mnuNew_Click);
    connect(action(QStringLiteral("mnuOpen")), &QAction::triggered, m_files.get(), &DocumentFiles::mnuOpen_Click);
    connect(action(QStringLiteral("mnuSave")), &QAction::triggered, m_files.get(), &DocumentFiles::mnuSave_Click);
    connect(action(QStringLiteral("mnuSaveAs")), &QAction::triggered, m_files.get(), &DocumentFiles::mnuSaveAs_Click);
    // The quick preview first: every other block may refresh it.
    connectPreview();
    connectEditing();
    connectFormatting();
    connectToolWindows();
    connectFiles();
    connectElementDialogsA();
    connectElementDialogsB();
    connectSearch();
    connectJournal();
    updateRecentFiles();

    // Files dropped on the window open; so do files dropped on the editor, which would
    // otherwise take the drop as text.
    setAcceptDrops(true);
    m_r1->widget()->installEventFilter(this);
    if (auto *area = qobject_cast<QAbstractScrollArea *>(m_r1->widget()))
        area->viewport()->installEventFilter(this);
}

frmMainWin::~frmMainWin()
{
    // The editor leaving its tab as the members go is no switch of tab to handle.
    disconnect(m_maintabs, nullptr, this, nullptr);
}

void frmMainWin::createActions()
{
    QHash<QString, QMenu *> menus;
    menus.insert(QStringLiteral("mnuFile"), menuBar()->addMenu(QStringLiteral("File")));
    menus.insert(QStringLiteral("mnuEdit"), menuBar()->addMenu(QStringLiteral("Edit")));
    menus.insert(QStringLiteral("mnuInsert"), menuBar()->addMenu(QStringLiteral("Insert")));
    menus.insert(QStringLiteral("mnuHelp"), menuBar()->addMenu(QStringLiteral("Help")));
    for (auto it = menus.cbegin(); it != menus.cend(); ++it) {
        it.value()->setObjectName(it.key());
        it.value()->menuAction()->setObjectName(it.key());
        m_actions.insert(it.key(), it.value()->menuAction());
    }
    for (const MenuEntry &entry : menuTree()) {
        QMenu *menu = menus.value(QString::fromLatin1(entry.menu));
        const QString name = QString::fromLatin1(entry.name);
        if (name.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        if (isSubmenu(name)) {
            QMenu *submenu = menu->addMenu(QString::fromLatin1(entry.caption));
            submenu->setObjectName(name);
            submenu->menuAction()->setObjectName(name);
            menus.insert(name, submenu);
            m_actions.insert(name, submenu->menuAction());
            continue;
        }
        auto *item = new QAction(QString::fromLatin1(entry.caption), this);
        item->setObjectName(name);
        item->setShortcut(entry.shortcut);
        // Menu shortcuts win over the focused editor's own keys.
        item->setShortcutContext(Qt::WindowShortcut);
        menu->addAction(item);
        m_actions.insert(name, item);
    }
    for (const ToolbarEntry &entry : toolbarButtons()) {
        if (entry.key)
            action(QString::fromLatin1(entry.command))->setIcon(QIcon::fromTheme(QString::fromLatin1(entry.themeIcon),
                                                                                 QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(entry.fallback)))));
    }
}

void frmMainWin::createToolbar()
{
    m_toolbar1 = addToolBar(tr("Main"));
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setMovable(false);
    m_toolbar1->setIconSize(QSize(22, 22));
    for (const ToolbarEntry &entry : toolbarButtons()) {
        if (!entry.key) {
            m_toolbar1->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(entry.key);
        QAction *command = action(QString::fromLatin1(entry.command));
        auto *button = new QToolButton(m_toolbar1);
        button->setObjectName(key);
        button->setIcon(command->icon());
        button->setToolTip(QString::fromLatin1(entry.toolTip));
        button->setAccessibleName(QString::fromLatin1(entry.toolTip));
        button->setAutoRaise(true);
        button->setEnabled(command->isEnabled());
        // The button mirrors its command, so both are switched on and off together.
        connect(command, &QAction::enabledChanged, button, &QToolButton::setEnabled);
        connect(button, &QToolButton::clicked, this, [this, key] { Toolbar1_ButtonClick(key); });
        m_toolbar1->addWidget(button);
        m_toolbarButtons.insert(key, button);
    }
    addToolBarBreak();
    m_formattlb = new FormattingToolbar(this);
    addToolBar(m_formattlb);
}

void frmMainWin::createPanes()
{
    m_lftpanetb = new QTabWidget;
    m_lftpanetb->setObjectName(QStringLiteral("lftpanetb"));
    m_lftpanetb->setAccessibleName(tr("Left pane"));
    m_browse = new BrowsePane;
    m_tv1 = new QTreeWidget;
    m_tv1->setObjectName(QStringLiteral("tv1"));
    m_tv1->setAccessibleName(tr("Tag reference"));
    m_tv1->setHeaderHidden(true);
    m_lftpanetb->addTab(m_browse, QStringLiteral("Browse"));
    m_lftpanetb->addTab(m_tv1, QStringLiteral("Reference"));
    // The left pane keeps its width; the editor takes what is left.
    m_lftpanetb->setFixedWidth(2730 / 15);

    m_maintabs = new QTabWidget;
    m_maintabs->setObjectName(QStringLiteral("maintabs"));
    m_maintabs->setAccessibleName(tr("Document"));
    m_maintabs->addTab(m_r1->widget(), QStringLiteral("Edit"));
    m_previewTab = new QWidget;
    m_previewTab->setObjectName(QStringLiteral("previewTab"));
    m_previewTab->setAccessibleName(tr("Preview"));
    auto *previewLayout = new QVBoxLayout(m_previewTab);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    m_maintabs->addTab(m_previewTab, QStringLiteral("Preview"));

    auto *central = new QWidget;
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(m_lftpanetb);
    layout->addWidget(m_maintabs, 1);
    setCentralWidget(central);

    m_status = new StatusPanels([this] { return m_r1->overwriteMode(); }, this);
    setStatusBar(m_status);
    connect(m_r1.get(), &EditorControl::KeyUp, m_status, &StatusPanels::refresh);
}

QAction *frmMainWin::action(const QString &name) const
{
    return m_actions.value(name);
}

QToolButton *frmMainWin::toolbarButton(const QString &key) const
{
    return m_toolbarButtons.value(key);
}

void frmMainWin::Form_Load()
{
    m_formattlb->fillCombos();
    ResetDocument();
}

void frmMainWin::ResetDocument()
{
    m_browse->setFilePath(m_browse->dirPath());
    setWindowTitle(DocumentFiles::caption(QStringLiteral("Untitled")));
    m_files->SavedBefore = false;
    m_files->SavedBeforePath.clear();
    setCutCopyEnabled(false);
    m_formattlb->resetColour();
    m_r1->setText(documentTemplate());
    m_quickPreview->startDocument();
    m_previewWindow->startDocument();
    // The previous document was put away on purpose, and a fresh template is nothing to keep.
    m_journal->discard();
}

void frmMainWin::setCutCopyEnabled(bool enabled)
{
    action(QStringLiteral("mnuCopy"))->setEnabled(enabled);
    action(QStringLiteral("mnuCut"))->setEnabled(enabled);
}

void frmMainWin::r1_Change()
{
    m_changes->r1_Change();
}

void frmMainWin::Toolbar1_ButtonClick(const QString &key)
{
    // The Find button opens the dialog even while the menu command is disabled.
    if (key == QLatin1String("Find")) {
        mnuFind_Click();
        return;
    }
    for (const ToolbarEntry &entry : toolbarButtons()) {
        if (entry.key && key == QLatin1String(entry.key)) {
            QAction *command = action(QString::fromLatin1(entry.command));
            if (command->isEnabled())
                command->trigger();
            return;
        }
    }
}

void frmMainWin::RefreshQuickPreview()
{
    // Once the user has confirmed the exit, closing the windows (the find dialog's unloading, the
    // editor losing the focus) writes no preview and starts no browser engine.
    if (m_ending)
        return;
    m_quickPreview->RefreshQuickPreview();
}

void frmMainWin::mnuExit_Click()
{
    close();
}

void frmMainWin::mnuAbout_Click()
{
    frmAbout about([this] { RefreshQuickPreview(); }, [this](frmAbout &) { m_previewWindow->showAboutPage(); }, this);
    m_host.execModal(about);
}

void frmMainWin::closeEvent(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    bool cancel = false;
    Form_QueryUnload(cancel);
    event->setAccepted(!cancel);
}

void frmMainWin::Form_QueryUnload(bool &cancel)
{
    cancel = true;
    if (m_files->unsavedChanges()) {
        const int answer = m_host.MsgBox(QStringLiteral("Save file before exit?"),
                                         HostServices::YesNoCancel | HostServices::Exclamation, QStringLiteral("Prompt"));
        if (answer == HostServices::Cancel)
            return;
        // A failed or cancelled save keeps the window open, so nothing is lost.
        if (answer == HostServices::Yes && !m_files->mnuSave_Click())
            return;
    } else if (m_host.MsgBox(QStringLiteral("Really want to exit ?"), HostServices::YesNo | HostServices::Exclamation,
                             QStringLiteral("Prompt"))
               == HostServices::No) {
        return;
    }
    QString error;
    const QString folder = m_host.tempFolder(&error);
    if (!folder.isEmpty())
        m_host.deleteFile(folder + QStringLiteral("/Temp.html"));
    // The user chose to leave: the unsaved text goes with the window, and the next run opens
    // the window where this one was.
    m_journal->discard();
    QSettings().setValue(geometryKey, saveGeometry());
    cancel = false;
    m_ending = true;
    m_host.endProcess();
}

// The formatting toolbar and the tag reference tree act on r1 and refresh the quick preview; the
// toolbar's Table and Frame buttons run the same commands as the Insert menu.
void frmMainWin::connectFormatting()
{
    const auto refresh = [this] { RefreshQuickPreview(); };
    new FormattingCommands(*m_formattlb, *m_r1,
                           FormattingCommands::Hooks{refresh, [this] { action(QStringLiteral("mnutbins"))->trigger(); },
                                                     [this] { action(QStringLiteral("frmmnu"))->trigger(); }},
                           this);
    new TreeViewTags(*m_tv1, *m_r1, refresh, this);
}

void frmMainWin::BuildTagTree()
{
    TreeViewTags::BuildTagTree(*m_tv1);
}

void frmMainWin::connectToolWindows()
{
    connect(action(QStringLiteral("mnutbins")), &QAction::triggered, this, &frmMainWin::mnutbins_Click);
    connect(action(QStringLiteral("frmmnu")), &QAction::triggered, this, &frmMainWin::frmmnu_Click);
    connect(action(QStringLiteral("mnuhxcol")), &QAction::triggered, this, &frmMainWin::mnuhxcol_Click);
}

void frmMainWin::mnutbins_Click()
{
    ToolWindow::showOrRaise(
        m_frmTable,
        [this] { return new frmTable(*m_r1, m_host, [this] { RefreshQuickPreview(); }, [this] { mnuhxcol_Click(); }); },
        *this);
}

void frmMainWin::frmmnu_Click()
{
    ToolWindow::showOrRaise(m_frmFrames, [this] { return new frmFrames(*m_r1, [this] { RefreshQuickPreview(); }); }, *this);
}

void frmMainWin::mnuhxcol_Click()
{
    ToolWindow::showOrRaise(m_frmColCode, [this] { return new frmColCode(*m_r1, m_host, [this] { RefreshQuickPreview(); }); }, *this);
}

void frmMainWin::connectFiles()
{
    connect(m_browse, &BrowsePane::Dir1_Change, this, &frmMainWin::Dir1_Change);
    connect(m_browse, &BrowsePane::File1_Click, this, &frmMainWin::File1_Click);
}

void frmMainWin::Dir1_Change()
{
    m_browse->setFilePath(m_browse->dirPath());
}

void frmMainWin::File1_Click()
{
    // Unsaved work the user keeps, including a save that failed or was cancelled after Yes,
    // stops the click before anything is loaded.
    if (!m_files->confirmDiscard(QStringLiteral("Save file before opening another?"))) {
        m_browse->restoreFileSelection();
        return;
    }
    if (!LoadFileFromPane())
        m_browse->restoreFileSelection();
    RefreshQuickPreview();
}

bool frmMainWin::LoadFileFromPane()
{
    const QString name = m_browse->fileName();
    if (name.isEmpty())
        return false;
    return m_files->openFile(QDir(m_browse->dirPath()).filePath(name), name);
}

void frmMainWin::connectElementDialogsA()
{
    connect(action(QStringLiteral("mnuLineBreak")), &QAction::triggered, this, &frmMainWin::mnuLineBreak_Click);
    connect(action(QStringLiteral("mnuHorizontalLine")), &QAction::triggered, this, &frmMainWin::mnuHorizontalLine_Click);
    connect(action(QStringLiteral("mnuImage")), &QAction::triggered, this, &frmMainWin::mnuImage_Click);
    connect(action(QStringLiteral("mnuVideo")), &QAction::triggered, this, &frmMainWin::mnuVideo_Click);
    connect(action(QStringLiteral("mnuPlugIn")), &QAction::triggered, this, &frmMainWin::mnuPlugIn_Click);
    connect(action(QStringLiteral("mnuMarquee")), &QAction::triggered, this, &frmMainWin::mnuMarquee_Click);
    connect(action(QStringLiteral("mnuScript")), &QAction::triggered, this, &frmMainWin::mnuScript_Click);
}

// Each element dialog is a fresh instance with its defaults, modal over the main window.
void frmMainWin::mnuLineBreak_Click()
{
    frmLineBreak dialog(*m_r1, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuHorizontalLine_Click()
{
    frmHorizontalLine dialog(*m_r1, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuImage_Click()
{
    frmImage dialog(*m_r1, m_host, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuVideo_Click()
{
    frmVideo dialog(*m_r1, m_host, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuPlugIn_Click()
{
    frmPlugIn dialog(*m_r1, m_host, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuMarquee_Click()
{
    frmMarquee dialog(*m_r1, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuScript_Click()
{
    frmScript dialog(*m_r1, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::connectElementDialogsB()
{
    connect(action(QStringLiteral("mnuHyperLink")), &QAction::triggered, this, &frmMainWin::mnuHyperLink_Click);
    connect(action(QStringLiteral("mnuBookmark")), &QAction::triggered, this, &frmMainWin::mnuBookmark_Click);
    connect(action(QStringLiteral("mnuOneLineTextBox")), &QAction::triggered, this, &frmMainWin::mnuOneLineTextBox_Click);
    connect(action(QStringLiteral("mnuScrollingTextBox")), &QAction::triggered, this, &frmMainWin::mnuScrollingTextBox_Click);
    connect(action(QStringLiteral("mnuCheckBox")), &QAction::triggered, this, &frmMainWin::mnuCheckBox_Click);
    connect(action(QStringLiteral("mnuRadioButton")), &QAction::triggered, this, &frmMainWin::mnuRadioButton_Click);
    connect(action(QStringLiteral("mnuPushButton")), &QAction::triggered, this, &frmMainWin::mnuPushButton_Click);
    connect(action(QStringLiteral("mnuDropDownMenu")), &QAction::triggered, this, &frmMainWin::mnuDropDownMenu_Click);
}

void frmMainWin::mnuHyperLink_Click()
{
    frmHyperLink dialog(*m_r1, m_host, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuBookmark_Click()
{
    // The input box opens at the main window's top-left corner.
    BookmarkCommand::run(*m_r1, m_host, x() * 15, y() * 15);
}

void frmMainWin::mnuOneLineTextBox_Click()
{
    frmOneLineTextBox dialog(*m_r1, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuScrollingTextBox_Click()
{
    frmScrollingTextBox dialog(*m_r1, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuCheckBox_Click()
{
    frmCheckBox dialog(*m_r1, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuRadioButton_Click()
{
    frmRadioButton dialog(*m_r1, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuPushButton_Click()
{
    frmPushButton dialog(*m_r1, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::mnuDropDownMenu_Click()
{
    frmDropDownMenu dialog(*m_r1, m_host, [this] { RefreshQuickPreview(); }, this);
    m_host.execModal(dialog);
}

void frmMainWin::connectPreview()
{
    const auto format = [this] { return m_files->format; };
    const auto report = [this](const QString &message) { m_status->showText(message); };
    m_quickPreview = std::make_unique<QuickPreview>(*m_r1, m_host, format, m_previewTab, report);
    m_previewWindow = std::make_unique<PreviewWindow>(*m_r1, m_host, format, this, report);
    // Every switch of tab, by the mouse, the keyboard or an assistive tool, and only a switch.
    connect(m_maintabs, &QTabWidget::currentChanged, this, &frmMainWin::maintabs_Click);
    connect(m_quickPreview.get(), &QuickPreview::qprevbrGotFocus, this, &frmMainWin::qprevbr_GotFocus);
    connect(action(QStringLiteral("mnuPreview")), &QAction::triggered, this, &frmMainWin::mnuPreview_Click);
    // A page of one document leaves nothing in its browser storage for the next (New is in ResetDocument).
    connect(m_files.get(), &DocumentFiles::fileOpened, this, [this] {
        m_quickPreview->startDocument();
        m_previewWindow->startDocument();
    });

    // The previews follow typing unless the user switched it off, which is remembered.
    m_livePreview = new LivePreview(*m_r1, [this] { livePreviewRefresh(); }, this);
    QAction *live = action(QStringLiteral("mnuLivePreview"));
    live->setCheckable(true);
    live->setChecked(QSettings().value(QStringLiteral("preview/live"), true).toBool());
    m_livePreview->setEnabled(live->isChecked());
    connect(live, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(QStringLiteral("preview/live"), on);
        m_livePreview->setEnabled(on);
    });
}

void frmMainWin::livePreviewRefresh()
{
    if (m_maintabs->currentWidget() == m_previewTab)
        RefreshQuickPreview();
    m_previewWindow->refreshDocument();
}

void frmMainWin::maintabs_Click()
{
    RefreshQuickPreview();
}

void frmMainWin::qprevbr_GotFocus()
{
    RefreshQuickPreview();
}

void frmMainWin::mnuPreview_Click()
{
    m_previewWindow->showDocument();
}

void frmMainWin::connectSearch()
{
    QAction *mnuFind = action(QStringLiteral("mnuFind"));
    connect(mnuFind, &QAction::triggered, this, &frmMainWin::mnuFind_Click);
    // A failed search switches the menu command off but not the toolbar's Find button.
    disconnect(mnuFind, &QAction::enabledChanged, toolbarButton(QStringLiteral("Find")), &QToolButton::setEnabled);
}

void frmMainWin::mnuFind_Click()
{
    if (!m_frmFind)
        m_frmFind = new frmFind(*m_r1, m_host, *action(QStringLiteral("mnuFind")), [this] { RefreshQuickPreview(); });
    // 2000 twips below and 3000 twips right of the main window's top-left corner.
    m_frmFind->move(frameGeometry().topLeft() + QPoint(3000 / 15, 2000 / 15));
    m_frmFind->show();
    m_frmFind->raise();
    m_frmFind->activateWindow();
}
void frmMainWin::connectEditing()
{
    m_changes = std::make_unique<ChangeTracker>(*m_r1, *m_rtbTemp, [this] { action(QStringLiteral("mnuSave"))->setEnabled(true); });
    m_clipboard = std::make_unique<ClipboardCommands>(*m_r1, m_host, [this](bool enabled) { setCutCopyEnabled(enabled); });
    connect(action(QStringLiteral("mnuUndo")), &QAction::triggered, this, &frmMainWin::mnuUndo_Click);
    connect(action(QStringLiteral("mnuRedo")), &QAction::triggered, this, &frmMainWin::mnuRedo_Click);
    connect(action(QStringLiteral("mnuCut")), &QAction::triggered, this, &frmMainWin::mnuCut_Click);
    connect(action(QStringLiteral("mnuCopy")), &QAction::triggered, this, &frmMainWin::mnuCopy_Click);
    connect(action(QStringLiteral("mnuPaste")), &QAction::triggered, this, &frmMainWin::mnuPaste_Click);
    connect(action(QStringLiteral("mnuClear")), &QAction::triggered, this, &frmMainWin::mnuClear_Click);
    connect(action(QStringLiteral("mnuSelectAll")), &QAction::triggered, this, &frmMainWin::mnuSelectAll_Click);
    connect(m_r1.get(), &EditorControl::KeyUp, this, &frmMainWin::r1_KeyUp);
    connect(m_r1.get(), &EditorControl::MouseUp, this, &frmMainWin::r1_MouseUp);
    connect(m_r1.get(), &EditorControl::LostFocus, this, &frmMainWin::r1_LostFocus);
}

void frmMainWin::mnuUndo_Click()
{
    m_changes->mnuUndo_Click();
}

void frmMainWin::mnuRedo_Click()
{
    m_changes->mnuRedo_Click();
}

void frmMainWin::mnuCut_Click()
{
    m_clipboard->mnuCut_Click();
}

void frmMainWin::mnuCopy_Click()
{
    m_clipboard->mnuCopy_Click();
}

void frmMainWin::mnuPaste_Click()
{
    m_clipboard->mnuPaste_Click();
}

void frmMainWin::mnuClear_Click()
{
    m_clipboard->mnuClear_Click();
}

void frmMainWin::mnuSelectAll_Click()
{
    m_clipboard->mnuSelectAll_Click();
}

void frmMainWin::r1_KeyUp()
{
    m_clipboard->r1_KeyUp();
}

void frmMainWin::r1_MouseUp()
{
    m_clipboard->r1_MouseUp();
}

void frmMainWin::r1_LostFocus()
{
    RefreshQuickPreview();
}

void frmMainWin::connectJournal()
{
    m_journal = new DocumentJournal(
        [this]() -> std::optional<JournalRecord> {
            if (!m_files->unsavedChanges())
                return std::nullopt;
            JournalRecord record;
            record.text = m_r1->Text();
            record.caption = windowTitle();
            record.hasFile = m_files->SavedBefore;
            record.path = m_files->SavedBeforePath;
            record.format = m_files->format;
            return record;
        },
        {}, this);
    connect(m_r1.get(), &EditorControl::Change, m_journal, &DocumentJournal::documentChanged);
    connect(m_journal, &DocumentJournal::failed, this, [this](const QString &reason) {
        m_status->showText(QStringLiteral("Unsaved text cannot be kept for recovery: ") + reason);
    });
    // An opened or saved document has nothing unsaved; both join the recent files.
    const auto used = [this](const QString &path) {
        m_journal->discard();
        RecentFiles::add(path);
        updateRecentFiles();
    };
    connect(m_files.get(), &DocumentFiles::fileOpened, this, used);
    connect(m_files.get(), &DocumentFiles::fileSaved, this, used);
}

void frmMainWin::restoreSettings()
{
    restoreGeometry(QSettings().value(geometryKey).toByteArray());
    m_browse->restoreRememberedFolder();
}

bool frmMainWin::offerRecovery()
{
    return JournalRecovery::offer(m_host, [this](const JournalRecord &record) { return restoreDocument(record); });
}

bool frmMainWin::restoreDocument(const JournalRecord &record)
{
    m_r1->setText(record.text);
    m_files->format = record.format;
    m_files->SavedBefore = record.hasFile;
    m_files->SavedBeforePath = record.path;
    setWindowTitle(record.caption);
    setCutCopyEnabled(false);
    // The text is not in its file: Save stays on until it is.
    action(QStringLiteral("mnuSave"))->setEnabled(true);
    return m_journal->writeNow();
}

void frmMainWin::updateRecentFiles()
{
    QMenu *file = action(QStringLiteral("mnuFile"))->menu();
    for (QAction *item : std::as_const(m_recentFiles)) {
        m_actions.remove(item->objectName());
        file->removeAction(item);
        item->deleteLater();
    }
    m_recentFiles.clear();
    const QStringList paths = RecentFiles::list();
    if (paths.isEmpty())
        return;
    QAction *exit = action(QStringLiteral("mnuExit"));
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        auto *item = new QAction(RecentFiles::caption(static_cast<int>(i) + 1, path), this);
        item->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { openRecentFile(path); });
        file->insertAction(exit, item);
        m_actions.insert(item->objectName(), item);
        m_recentFiles << item;
    }
    // The list stands in a group of its own, between Save As and Exit.
    m_recentFiles << file->insertSeparator(exit);
}

void frmMainWin::openRecentFile(const QString &path)
{
    if (RecentFiles::isMissing(path)) {
        RecentFiles::remove(path);
        updateRecentFiles();
        m_host.MsgBox(
            QStringLiteral("%1 no longer exists; it is taken off the list of recent files.").arg(FileIo::displayName(path)),
            HostServices::OkOnly | HostServices::Exclamation);
        return;
    }
    openFileAsked(path);
}

void frmMainWin::openFileAsked(const QString &path)
{
    if (m_files->confirmDiscard(QStringLiteral("Save file before opening another?")))
        m_files->openDocument(path);
}

bool frmMainWin::acceptFileDrag(QDropEvent *event)
{
    if (draggedFile(event->mimeData()).isEmpty())
        return false;
    event->acceptProposedAction();
    return true;
}

void frmMainWin::dragEnterEvent(QDragEnterEvent *event)
{
    if (!acceptFileDrag(event))
        QMainWindow::dragEnterEvent(event);
}

void frmMainWin::dragMoveEvent(QDragMoveEvent *event)
{
    if (!acceptFileDrag(event))
        QMainWindow::dragMoveEvent(event);
}

void frmMainWin::dropEvent(QDropEvent *event)
{
    const QString path = draggedFile(event->mimeData());
    if (path.isEmpty()) {
        QMainWindow::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    // The question and the open run once the drag has ended, not inside its event.
    QMetaObject::invokeMethod(
        this, [this, path] { openFileAsked(path); }, Qt::QueuedConnection);
}

bool frmMainWin::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return acceptFileDrag(static_cast<QDropEvent *>(event));
    case QEvent::Drop:
        if (draggedFile(static_cast<QDropEvent *>(event)->mimeData()).isEmpty())
            return false;
        dropEvent(static_cast<QDropEvent *>(event));
        return true;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}
