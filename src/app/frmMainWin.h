// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <initializer_list>
#include <memory>

class ChangeTracker;
class DocumentJournal;
struct JournalRecord;
class frmFind;
class ClipboardCommands;
class DocumentFiles;
class EditorControl;
class FormattingToolbar;
class HostServices;
class LivePreview;
class MainPanes;
class PageModelBuilder;
class MainToolbar;
class PreviewWindow;
class QAction;
class QToolButton;
class QuickPreview;
class RecentFilesMenu;
class StatusPanels;
class frmColCode;
class frmFrames;
class frmTable;

// The main window: it owns the document, the menus, both toolbars, the panes and the status bar,
// and routes every command to the subsystem that carries it out.
class frmMainWin : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMainWin(HostServices &host, QWidget *parent = nullptr);
    ~frmMainWin() override;

    // Fills the combos and starts the untitled document; runs once, before the window is shown.
    void Form_Load();

    EditorControl &r1() const { return *m_r1; }
    EditorControl &rtbTemp() const { return *m_rtbTemp; }
    DocumentFiles &files() const { return *m_files; }
    QAction *action(const QString &name) const;
    QToolButton *toolbarButton(const QString &key) const;
    const ChangeTracker &changes() const { return *m_changes; }

    // Starts a new untitled document from the template.
    void ResetDocument();

    // Writes the editor's text to the quick-preview file and shows it on the Preview tab.
    void RefreshQuickPreview();

    // Fills the tag reference tree; main runs it once, after the window is shown.
    void BuildTagTree();
    // Loads the file selected in the Browse pane; false when it could not be read.
    bool LoadFileFromPane();

    // The close request: asks about unsaved changes, removes the preview window's file and ends
    // the process, or leaves cancel set to keep the window open.
    void Form_QueryUnload(bool &cancel);

    // Takes back what the last run remembered: the window's geometry and the Browse pane's
    // folder. Runs before Form_Load.
    void restoreSettings();
    // Offers the unsaved text that ended instances left in their journals; true when a document
    // was recovered into this window.
    bool offerRecovery();
    // Puts a journaled document into the editor: its text, caption, file and format, with
    // unsaved changes. True once it is kept in this window's own journal.
    bool restoreDocument(const JournalRecord &record);
    DocumentJournal &journal() const { return *m_journal; }

    // Opens path as File > Open does, after the same question, without the file dialog: for
    // the recent files and files dropped on the window.
    void openFileAsked(const QString &path);

public slots:
    void Toolbar1_ButtonClick(const QString &key);
    void mnuExit_Click();
    void mnuAbout_Click();
    void r1_Change();
    // Show the tool window, or bring the open one forward with its values.
    void mnutbins_Click();
    void frmmnu_Click();
    void mnuhxcol_Click();
    void Dir1_Change();
    void File1_Click();
    void mnuLineBreak_Click();
    void mnuHorizontalLine_Click();
    void mnuImage_Click();
    void mnuVideo_Click();
    void mnuPlugIn_Click();
    void mnuMarquee_Click();
    void mnuScript_Click();
    void mnuHyperLink_Click();
    void mnuBookmark_Click();
    void mnuOneLineTextBox_Click();
    void mnuScrollingTextBox_Click();
    void mnuCheckBox_Click();
    void mnuRadioButton_Click();
    void mnuPushButton_Click();
    void mnuDropDownMenu_Click();
    void maintabs_Click();
    void qprevbr_GotFocus();
    void mnuPreview_Click();
    void mnuFind_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuClear_Click();
    void mnuSelectAll_Click();
    void r1_KeyUp();
    void r1_MouseUp();
    void r1_LostFocus();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // A menu command and the handler its triggering runs.
    struct Command {
        const char *name;
        void (frmMainWin::*handler)();
    };
    void connectCommands(std::initializer_list<Command> commands);
    void setCutCopyEnabled(bool enabled);
    void connectFormatting();
    void connectToolWindows();
    void connectFiles();
    void connectElementDialogs();
    void connectPreview();
    // The live preview's refresh: the quick preview while its tab is in front, and Form2 while open.
    void livePreviewRefresh();
    void connectSearch();
    void connectEditing();
    void connectJournal();
    void connectRecentFiles();
    // The page model, its problems list (a dock) and the tag aids, with their Edit-menu items.
    void connectPageModel();

    HostServices &m_host;
    std::unique_ptr<EditorControl> m_r1;
    std::unique_ptr<EditorControl> m_rtbTemp;
    std::unique_ptr<DocumentFiles> m_files;
    QHash<QString, QAction *> m_actions;
    MainToolbar *m_toolbar1 = nullptr;
    FormattingToolbar *m_formattlb = nullptr;
    MainPanes *m_panes = nullptr;
    LivePreview *m_livePreview = nullptr;
    StatusPanels *m_status = nullptr;
    bool m_ending = false;
    QPointer<frmTable> m_frmTable;
    QPointer<frmFrames> m_frmFrames;
    QPointer<frmColCode> m_frmColCode;
    // Declared last so they go first, while the editor they read still exists.
    std::unique_ptr<PreviewWindow> m_previewWindow;
    std::unique_ptr<QuickPreview> m_quickPreview;
    QPointer<frmFind> m_frmFind;
    std::unique_ptr<ChangeTracker> m_changes;
    std::unique_ptr<ClipboardCommands> m_clipboard;
    DocumentJournal *m_journal = nullptr;
    RecentFilesMenu *m_recentFiles = nullptr;
    PageModelBuilder *m_pageModel = nullptr;
};
