// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class BrowsePane;
class ChangeTracker;
class frmFind;
class DocumentFiles;
class EditorControl;
class FormattingToolbar;
class HostServices;
class QAction;
class QLabel;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;
class StatusPanels;

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

    // Starts a new untitled document from the template.
    void ResetDocument();

    // Writes the editor's text to the quick-preview file and shows it on the Preview tab.
    void RefreshQuickPreview();

    // The close request: asks about unsaved changes, removes the preview window's file and ends
    // the process, or leaves cancel set to keep the window open.
    void Form_QueryUnload(bool &cancel);

public slots:
    void Toolbar1_ButtonClick(const QString &key);
    void mnuExit_Click();
    void mnuAbout_Click();
    void r1_Change();
    void mnuFind_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createToolbar();
    void createPanes();
    void setCutCopyEnabled(bool enabled);
    void connectSearch();

    HostServices &m_host;
    std::unique_ptr<EditorControl> m_r1;
    std::unique_ptr<EditorControl> m_rtbTemp;
    std::unique_ptr<DocumentFiles> m_files;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QToolButton *> m_toolbarButtons;
    QToolBar *m_toolbar1 = nullptr;
    FormattingToolbar *m_formattlb = nullptr;
    QTabWidget *m_lftpanetb = nullptr;
    BrowsePane *m_browse = nullptr;
    QTreeWidget *m_tv1 = nullptr;
    QTabWidget *m_maintabs = nullptr;
    QWidget *m_previewTab = nullptr;
    StatusPanels *m_status = nullptr;
    bool m_ending = false;
    QPointer<frmFind> m_frmFind;
};
