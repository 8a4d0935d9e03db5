// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ToolWindow.h"

#include <QList>

#include <functional>

class EditorControl;
class QPushButton;

// The frameset templates: six fixed layouts, each drawn above its "Add Code" button, which puts
// that layout's markup right after the editor's selection. Modeless; it stays open until closed.
class frmFrames : public ToolWindow
{
    Q_OBJECT

public:
    frmFrames(EditorControl &editor, std::function<void()> refreshPreview);

    // frmd1 to frmd6, left to right.
    QPushButton *frmd(int number) const { return m_frmd.at(number - 1); }

public slots:
    void frmd1_Click();
    void frmd2_Click();
    void frmd3_Click();
    void frmd4_Click();
    void frmd5_Click();
    void frmd6_Click();

private:
    // Runs once, when the window is made.
    void Form_Load();
    void addCode(int number);

    EditorControl &m_editor;
    std::function<void()> m_refreshPreview;
    QList<QPushButton *> m_frmd;
};
