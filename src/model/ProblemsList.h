// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class EditorControl;
class PageModelBuilder;
class QLabel;
class QListWidget;
class QListWidgetItem;

// The problems of the page, one row "line:column  message" each in the order of the text, under
// a caption that counts them. Activating a row (double-click or Enter) puts the caret on the
// problem and gives the editor the focus. The problems' ranges are underlined in the editor.
class ProblemsList : public QWidget
{
    Q_OBJECT

public:
    // More rows would only slow the list down; the caption still counts them all.
    static constexpr int MaximumRows = 1000;

    ProblemsList(EditorControl &r1, PageModelBuilder &builder, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    // "Problems (3)", also the widget's window title (a dock's caption).
    QString caption() const;

signals:
    void countChanged(int count);

private:
    void refresh();
    void activate(QListWidgetItem *item);

    EditorControl &m_r1;
    PageModelBuilder &m_builder;
    QLabel *m_caption;
    QListWidget *m_list;
};
