// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ToolWindow.h"

#include <functional>

class EditorControl;
class HostServices;
class QFrame;
class QLineEdit;
class QPushButton;
class QScrollBar;

// The colour code picker: three bars mix a colour, shown in a swatch and as an HTML code that
// can go to the clipboard or into the document after the editor's selection. Modeless; it
// starts black each time it is made.
class frmColCode : public ToolWindow
{
    Q_OBJECT

public:
    frmColCode(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview);

    QScrollBar *Red() const { return m_Red; }
    QScrollBar *Green() const { return m_Green; }
    QScrollBar *Blue() const { return m_Blue; }
    QLineEdit *RText() const { return m_RText; }
    QLineEdit *GText() const { return m_GText; }
    QLineEdit *BText() const { return m_BText; }
    QLineEdit *HexT() const { return m_HexT; }
    QFrame *clrBox() const { return m_clrBox; }
    QPushButton *addcolbtn() const { return m_addcolbtn; }
    QPushButton *clipcopybtn() const { return m_clipcopybtn; }

public slots:
    void Red_Change();
    void Green_Change();
    void Blue_Change();
    void clipcopybtn_Click();
    void addcolbtn_Click();

private:
    void UpdateColor();

    EditorControl &m_editor;
    HostServices &m_host;
    std::function<void()> m_refreshPreview;
    QScrollBar *m_Red = nullptr;
    QScrollBar *m_Green = nullptr;
    QScrollBar *m_Blue = nullptr;
    QLineEdit *m_RText = nullptr;
    QLineEdit *m_GText = nullptr;
    QLineEdit *m_BText = nullptr;
    QLineEdit *m_HexT = nullptr;
    QFrame *m_clrBox = nullptr;
    QPushButton *m_addcolbtn = nullptr;
    QPushButton *m_clipcopybtn = nullptr;
};
