// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/TreeViewTags.h"

#include "editor/EditorControl.h"
#include "reference/TagTable.h"

#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>

#include <utility>

TreeViewTags::TreeViewTags(QTreeWidget &tv1, EditorControl &r1, std::function<void()> refreshQuickPreview, QObject *parent)
    : QObject(parent)
    , m_tv1(tv1)
    , m_r1(r1)
    , m_refreshQuickPreview(std::move(refreshQuickPreview))
{
    m_tv1.setSelectionMode(QAbstractItemView::SingleSelection);
    // The narrow pane scrolls sideways rather than eliding the markup a click would insert.
    m_tv1.header()->setStretchLastSection(false);
    m_tv1.header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // A click anywhere in the tree counts, not only on an item: the tree's own clicked signal
    // misses clicks on the expand buttons and on the empty area.
    m_viewport = m_tv1.viewport();
    m_tree = &m_tv1;
    m_viewport->installEventFilter(this);
    m_tree->installEventFilter(this);
}

void TreeViewTags::BuildTagTree(QTreeWidget &tv1)
{
    const QIcon tagPicture(QStringLiteral(":/icons/tag.svg"));
    const QIcon attributePicture(QStringLiteral(":/icons/attribute.svg"));
    tv1.clear();
    for (const TagTable::Tag &tag : TagTable::tags()) {
        auto *tagNode = new QTreeWidgetItem(&tv1, {tag.text});
        tagNode->setIcon(0, tagPicture);
        tagNode->setData(0, Qt::UserRole, tag.key);
        for (const TagTable::Attribute &attribute : tag.attributes) {
            auto *attributeNode = new QTreeWidgetItem(tagNode, {TagTable::attributeText(attribute)});
            attributeNode->setIcon(0, attributePicture);
        }
    }
}

void TreeViewTags::tv1_Click()
{
    const QList<QTreeWidgetItem *> selected = m_tv1.selectedItems();
    if (!selected.isEmpty())
        m_r1.setSelText(selected.first()->text(0) + m_r1.SelText());
    m_refreshQuickPreview();
}

bool TreeViewTags::eventFilter(QObject *watched, QEvent *event)
{
    // The tree is never used here before the event is known to be one of the user's: the last
    // events of the viewport and the tree arrive while they are being destroyed.
    if (watched == m_viewport) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_afterDoubleClick = true;
        } else if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            // The selection follows the press, so by now it names the node under a clicked item.
            if (m_afterDoubleClick)
                m_afterDoubleClick = false;
            else
                tv1_Click();
        }
    } else if (watched == m_tree && event->type() == QEvent::KeyPress) {
        // Enter inserts too, so the tree works from the keyboard.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            tv1_Click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
