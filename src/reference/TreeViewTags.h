// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class EditorControl;
class QTreeWidget;

// The Reference tree tv1: a click puts the selected node's text in front of the editor's
// selection and refreshes the quick preview.
class TreeViewTags : public QObject
{
    Q_OBJECT

public:
    TreeViewTags(QTreeWidget &tv1, EditorControl &r1, std::function<void()> refreshQuickPreview, QObject *parent = nullptr);

    // Fills tv1 with the tag table: each tag at the top level, its attributes as its children.
    static void BuildTagTree(QTreeWidget &tv1);

public slots:
    // Inserts the selected node's text, if a node is selected, then refreshes the preview.
    void tv1_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTreeWidget &m_tv1;
    EditorControl &m_r1;
    std::function<void()> m_refreshQuickPreview;
    // The release that ends a double click is not a second click.
    bool m_afterDoubleClick = false;
    // The watched objects, compared by identity only.
    QPointer<QObject> m_viewport;
    QPointer<QObject> m_tree;
};
