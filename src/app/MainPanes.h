// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class BrowsePane;
class QTabWidget;
class QTreeWidget;

// The main window's central area: the fixed-width left pane (lftpanetb: the Browse pane and the
// tag reference tree tv1) beside the document tabs (maintabs: the editor and the Preview tab).
class MainPanes : public QWidget
{
    Q_OBJECT

public:
    // editor is the widget shown on the Edit tab.
    explicit MainPanes(QWidget *editor, QWidget *parent = nullptr);

    BrowsePane &browse() const { return *m_browse; }
    QTreeWidget &tagTree() const { return *m_tagTree; }
    QTabWidget &documentTabs() const { return *m_documentTabs; }
    // The Preview tab's page, which the quick preview fills.
    QWidget &previewTab() const { return *m_previewTab; }
    bool previewShown() const;

private:
    QTabWidget *m_leftPane = nullptr;
    BrowsePane *m_browse = nullptr;
    QTreeWidget *m_tagTree = nullptr;
    QTabWidget *m_documentTabs = nullptr;
    QWidget *m_previewTab = nullptr;
};
