// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainPanes.h"

#include "files/BrowsePane.h"

#include <QHBoxLayout>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

MainPanes::MainPanes(QWidget *editor, QWidget *parent)
    : QWidget(parent)
{
    m_leftPane = new QTabWidget;
    m_leftPane->setObjectName(QStringLiteral("lftpanetb"));
    m_leftPane->setAccessibleName(tr("Left pane"));
    m_browse = new BrowsePane;
    m_tagTree = new QTreeWidget;
    m_tagTree->setObjectName(QStringLiteral("tv1"));
    m_tagTree->setAccessibleName(tr("Tag reference"));
    m_tagTree->setHeaderHidden(true);
    m_leftPane->addTab(m_browse, QStringLiteral("Browse"));
    m_leftPane->addTab(m_tagTree, QStringLiteral("Reference"));
    // The left pane keeps its width (2730 twips); the editor takes what is left.
    m_leftPane->setFixedWidth(2730 / 15);

    m_documentTabs = new QTabWidget;
    m_documentTabs->setObjectName(QStringLiteral("maintabs"));
    m_documentTabs->setAccessibleName(tr("Document"));
    m_documentTabs->addTab(editor, QStringLiteral("Edit"));
    m_previewTab = new QWidget;
    m_previewTab->setObjectName(QStringLiteral("previewTab"));
    m_previewTab->setAccessibleName(tr("Preview"));
    auto *previewLayout = new QVBoxLayout(m_previewTab);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    m_documentTabs->addTab(m_previewTab, QStringLiteral("Preview"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(m_leftPane);
    layout->addWidget(m_documentTabs, 1);
}

bool MainPanes::previewShown() const
{
    return m_documentTabs->currentWidget() == m_previewTab;
}
