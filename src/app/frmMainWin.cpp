// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMainWin.h"

#include "app/DocumentTemplate.h"
#include "app/FileDrops.h"
#include "app/MainMenus.h"
#include "app/MainPanes.h"
#include "app/MainToolbar.h"
#include "app/OwnedWindows.h"
#include "app/RecentFiles.h"
#include "app/RecentFilesMenu.h"
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
#include "model/PageModelBuilder.h"
#include "model/ProblemsList.h"
#include "model/TagAids.h"
#include "formatting/FormattingCommands.h"
#include "formatting/FormattingToolbar.h"
#include "host/AppTitle.h"
#include "editor/EditorControl.h"
#include "text/FileIo.h"
#include "host/HostServices.h"
#include "reference/TreeViewTags.h"
#include "previewui/LivePreview.h"
#include "previewui/PreviewWindow.h"
#include "previewui/QuickPreview.h"
#include "previewui/SourceLinkOptions.h"
#include "recovery/DocumentJournal.h"
#include "recovery/JournalRecovery.h"
#include "search/GoToLine.h"
#include "search/frmFind.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTabWidget>
#include <QToolButton>

namespace {

const QString geometryKey = QStringLiteral("mainWindow/geometry");

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

    m_actions = MainMenus::build(*menuBar(), this);
    m_toolbar1 = new MainToolbar(m_actions, this);
    addToolBar(m_toolbar1);
    connect(m_toolbar1, &MainToolbar::buttonClicked, this, &frmMainWin::Toolbar1_ButtonClick);
    addToolBarBreak();
    m_formattlb = new FormattingToolbar(this);
    addToolBar(m_formattlb);
    m_panes = new MainPanes(m_r1->widget());
    new OwnedWindows(*this);
    setCentralWidget(m_panes);
    m_status = new StatusPanels([this] { return m_r1->overwriteMode(); }, this);
    setStatusBar(m_status);
    connect(m_r1.get(), &EditorControl::KeyUp, m_status, &StatusPanels::refresh);

    m_files = std::make_unique<DocumentFiles>(
        *m_r1, m_host, *action(QStringLiteral("mnuSave")),
        DocumentFiles::WindowHooks{[this] { ResetDocument(); }, [this](const QString &caption) { setWindowTitle(caption); },
                                   [this](bool enabled) { setCutCopyEnabled(enabled); }});

    connect(m_r1.get(), &EditorControl::Change, this, &frmMainWin::r1_Change);
    connectCommands({{"mnuExit", &frmMainWin::mnuExit_Click}, {"mnuAbout", &frmMainWin::mnuAbout_Click}});
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
    connectElementDialogs();
    connectSearch();
    connectJournal();
    connectRecentFiles();
    connectPageModel();

    // Files dropped on the window open; so do files dropped on the editor.
    setAcceptDrops(true);
    auto *drops = new FileDrops(this);
    drops->watch(*this);
    drops->watch(*m_r1->widget());
    if (auto *area = qobject_cast<QAbstractScrollArea *>(m_r1->widget()))
        drops->watch(*area->viewport());
    connect(drops, &FileDrops::fileDropped, this, &frmMainWin::openFileAsked);
}

frmMainWin::~frmMainWin()
{
    // The editor leaving its tab as the members go is no switch of tab to handle.
    disconnect(&m_panes->documentTabs(), nullptr, this, nullptr);
    // The windows this one owns act on the editor: they go while it still exists.
    delete m_frmFind.data();
    delete m_frmTable.data();
    delete m_frmFrames.data();
    delete m_frmColCode.data();
}

void frmMainWin::connectCommands(std::initializer_list<Command> commands)
{
    for (const Command &command : commands)
        connect(action(QString::fromLatin1(command.name)), &QAction::triggered, this, command.handler);
}

QAction *frmMainWin::action(const QString &name) const
{
    QAction *command = m_actions.value(name);
    return command || !m_recentFiles ? command : m_recentFiles->item(name);
}

QToolButton *frmMainWin::toolbarButton(const QString &key) const
{
    return m_toolbar1->button(key);
}

void frmMainWin::Form_Load()
{
    m_formattlb->fillCombos();
    ResetDocument();
}

void frmMainWin::ResetDocument()
{
    m_panes->browse().setFilePath(m_panes->browse().dirPath());
    setWindowTitle(DocumentFiles::caption(QStringLiteral("Untitled")));
    m_files->SavedBefore = false;
    m_files->SavedBeforePath.clear();
    setCutCopyEnabled(false);
    m_formattlb->resetColour();
    m_r1->setText(documentTemplate());
    m_quickPreview->startDocument();
    m_previewWindow->startDocument();
    if (m_pageModel)
        m_pageModel->setPageFolder({}, {});
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
    if (QAction *command = action(MainToolbar::command(key)); command && command->isEnabled())
        command->trigger();
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
    new TreeViewTags(m_panes->tagTree(), *m_r1, refresh, this);
}

void frmMainWin::BuildTagTree()
{
    TreeViewTags::BuildTagTree(m_panes->tagTree());
}

void frmMainWin::connectToolWindows()
{
    connectCommands({{"mnutbins", &frmMainWin::mnutbins_Click},
                     {"frmmnu", &frmMainWin::frmmnu_Click},
                     {"mnuhxcol", &frmMainWin::mnuhxcol_Click}});
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
    connect(&m_panes->browse(), &BrowsePane::Dir1_Change, this, &frmMainWin::Dir1_Change);
    connect(&m_panes->browse(), &BrowsePane::File1_Click, this, &frmMainWin::File1_Click);
}

void frmMainWin::Dir1_Change()
{
    m_panes->browse().setFilePath(m_panes->browse().dirPath());
}

void frmMainWin::File1_Click()
{
    // Unsaved work the user keeps, including a save that failed or was cancelled after Yes,
    // stops the click before anything is loaded.
    if (!m_files->confirmDiscard(QStringLiteral("Save file before opening another?"))) {
        m_panes->browse().restoreFileSelection();
        return;
    }
    if (!LoadFileFromPane())
        m_panes->browse().restoreFileSelection();
    RefreshQuickPreview();
}

bool frmMainWin::LoadFileFromPane()
{
    const QString name = m_panes->browse().fileName();
    if (name.isEmpty())
        return false;
    return m_files->openFile(QDir(m_panes->browse().dirPath()).filePath(name), name);
}

void frmMainWin::connectElementDialogs()
{
    connectCommands({{"mnuLineBreak", &frmMainWin::mnuLineBreak_Click},
                     {"mnuHorizontalLine", &frmMainWin::mnuHorizontalLine_Click},
                     {"mnuImage", &frmMainWin::mnuImage_Click},
                     {"mnuVideo", &frmMainWin::mnuVideo_Click},
                     {"mnuPlugIn", &frmMainWin::mnuPlugIn_Click},
                     {"mnuMarquee", &frmMainWin::mnuMarquee_Click},
                     {"mnuScript", &frmMainWin::mnuScript_Click},
                     {"mnuHyperLink", &frmMainWin::mnuHyperLink_Click},
                     {"mnuBookmark", &frmMainWin::mnuBookmark_Click},
                     {"mnuOneLineTextBox", &frmMainWin::mnuOneLineTextBox_Click},
                     {"mnuScrollingTextBox", &frmMainWin::mnuScrollingTextBox_Click},
                     {"mnuCheckBox", &frmMainWin::mnuCheckBox_Click},
                     {"mnuRadioButton", &frmMainWin::mnuRadioButton_Click},
                     {"mnuPushButton", &frmMainWin::mnuPushButton_Click},
                     {"mnuDropDownMenu", &frmMainWin::mnuDropDownMenu_Click}});
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
    m_quickPreview = std::make_unique<QuickPreview>(*m_r1, m_host, format, &m_panes->previewTab(), report);
    m_previewWindow = std::make_unique<PreviewWindow>(*m_r1, m_host, format, this, report);
    // A document's choice about remote content is remembered by its file.
    const auto documentPath = [this] { return m_files->SavedBefore ? m_files->SavedBeforePath : QString(); };
    m_quickPreview->setDocumentPath(documentPath);
    m_previewWindow->setDocumentPath(documentPath);
    // Every switch of tab, by the mouse, the keyboard or an assistive tool, and only a switch.
    connect(&m_panes->documentTabs(), &QTabWidget::currentChanged, this, &frmMainWin::maintabs_Click);
    connect(m_quickPreview.get(), &QuickPreview::qprevbrGotFocus, this, &frmMainWin::qprevbr_GotFocus);
    connectCommands({{"mnuPreview", &frmMainWin::mnuPreview_Click}});
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

void frmMainWin::connectPageModel()
{
    m_pageModel = new PageModelBuilder(*m_r1, this);
    auto *aids = new TagAids(*m_r1, *m_pageModel, this);
    auto *dock = new QDockWidget(this);
    dock->setObjectName(QStringLiteral("ProblemsDock"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto *problems = new ProblemsList(*m_r1, *m_pageModel, dock);
    dock->setWidget(problems);
    dock->setWindowTitle(problems->caption());
    connect(problems, &ProblemsList::countChanged, dock, [dock, problems] { dock->setWindowTitle(problems->caption()); });
    // The list's own caption names it; a second title above it would only take the editor's room.
    dock->setTitleBarWidget(new QWidget(dock));
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    // A few rows under the editor, which keeps most of the window.
    resizeDocks({dock}, {120}, Qt::Vertical);

    QMenu *aidsMenu = action(QStringLiteral("mnuEdit"))->menu()->addMenu(tr("Editing Aids"));
    aidsMenu->setObjectName(QStringLiteral("mnuEditingAids"));
    for (int aid = 0; aid < TagAids::AidCount; ++aid)
        aidsMenu->addAction(aids->toggleAction(static_cast<TagAids::Aid>(aid)));
    // The previews show where the caret is, find the source of a Ctrl+click and follow scrolling.
    auto *links = new SourceLinkOptions(this);
    for (int option = 0; option < SourceLinkOptions::SwitchCount; ++option)
        aidsMenu->addAction(links->toggleAction(static_cast<SourceLinkOptions::Switch>(option)));
    m_quickPreview->linkSource(*m_pageModel, *links);
    m_previewWindow->linkSource(*m_pageModel, *links);
    aidsMenu->addSeparator();
    aidsMenu->addAction(aids->jumpAction());
    aidsMenu->addAction(aids->completeAction());

    // Local references are looked for next to the page once it has a file.
    const auto pageFile = [this](const QString &path) {
        m_pageModel->setPageFolder(QFileInfo(path).absolutePath(), [](const QString &file) { return QFileInfo::exists(file); });
    };
    connect(m_files.get(), &DocumentFiles::fileOpened, this, pageFile);
    connect(m_files.get(), &DocumentFiles::fileSaved, this, pageFile);
}

void frmMainWin::livePreviewRefresh()
{
    if (m_panes->previewShown())
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
    // The input box at the window's top-left corner, in twips.
    connect(action(QStringLiteral("mnuGoToLine")), &QAction::triggered, this,
            [this] { GoToLine::ask(*m_r1, m_host, frameGeometry().left() * 15, frameGeometry().top() * 15); });
    // Line numbers are off unless the user switched them on, which is remembered.
    QAction *lineNumbers = action(QStringLiteral("mnuLineNumbers"));
    lineNumbers->setCheckable(true);
    lineNumbers->setChecked(QSettings().value(QStringLiteral("editor/lineNumbers"), false).toBool());
    m_r1->setLineNumbersShown(lineNumbers->isChecked());
    connect(lineNumbers, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(QStringLiteral("editor/lineNumbers"), on);
        m_r1->setLineNumbersShown(on);
    });
}

void frmMainWin::mnuFind_Click()
{
    if (!m_frmFind) {
        m_frmFind = new frmFind(*m_r1, m_host, *action(QStringLiteral("mnuFind")), [this] { RefreshQuickPreview(); });
        // Owned by the main window, which the editor's focus raises after every search: the
        // window manager keeps the dialog in front of it.
        m_frmFind->setParent(this, m_frmFind->windowFlags());
    }
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
    connectCommands({{"mnuUndo", &frmMainWin::mnuUndo_Click},
                     {"mnuRedo", &frmMainWin::mnuRedo_Click},
                     {"mnuCut", &frmMainWin::mnuCut_Click},
                     {"mnuCopy", &frmMainWin::mnuCopy_Click},
                     {"mnuPaste", &frmMainWin::mnuPaste_Click},
                     {"mnuClear", &frmMainWin::mnuClear_Click},
                     {"mnuSelectAll", &frmMainWin::mnuSelectAll_Click}});
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
            record.caption = windowTitle();
            record.hasFile = m_files->SavedBefore;
            record.path = m_files->SavedBeforePath;
            record.format = m_files->format;
            return record;
        },
        {[this] { return m_r1->utf8Length(); }, [this](qint64 from, qint64 length) { return m_r1->utf8Piece(from, length); }},
        {}, this);
    connect(m_r1.get(), &EditorControl::Change, m_journal, &DocumentJournal::documentChanged);
    connect(m_journal, &DocumentJournal::failed, this, [this](const QString &reason) {
        m_status->showText(QStringLiteral("Unsaved text cannot be kept for recovery: ") + reason);
    });
    // An opened or saved document has nothing unsaved; both join the recent files.
    const auto used = [this](const QString &path) {
        m_journal->discard();
        RecentFiles::add(path);
        m_recentFiles->update();
    };
    connect(m_files.get(), &DocumentFiles::fileOpened, this, used);
    connect(m_files.get(), &DocumentFiles::fileSaved, this, used);
}

void frmMainWin::restoreSettings()
{
    restoreGeometry(QSettings().value(geometryKey).toByteArray());
    m_panes->browse().restoreRememberedFolder();
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

void frmMainWin::connectRecentFiles()
{
    m_recentFiles = new RecentFilesMenu(*action(QStringLiteral("mnuFile"))->menu(), *action(QStringLiteral("mnuExit")), m_host, this);
    connect(m_recentFiles, &RecentFilesMenu::openRequested, this, &frmMainWin::openFileAsked);
    m_recentFiles->update();
}

void frmMainWin::openFileAsked(const QString &path)
{
    if (m_files->confirmDiscard(QStringLiteral("Save file before opening another?")))
        m_files->openDocument(path);
}
