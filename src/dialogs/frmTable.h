// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ToolWindow.h"

#include <functional>
#include <optional>

class EditorControl;
class HostServices;
class QLineEdit;
class QPushButton;

// The table generator: rows, columns and seven values for an empty table whose markup goes in
// right after the editor's selection of the moment. Modeless; Generate and Cancel close it.
class frmTable : public ToolWindow
{
    Q_OBJECT

public:
    // showColourPicker opens the colour code picker (or brings the open one forward).
    frmTable(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview,
             std::function<void()> showColourPicker);

    QLineEdit *tbrowstxt() const { return m_tbrowstxt; }
    QLineEdit *tbcolstxt() const { return m_tbcolstxt; }
    QLineEdit *tbwidthtxt() const { return m_tbwidthtxt; }
    QLineEdit *tbheighttxt() const { return m_tbheighttxt; }
    QLineEdit *tbbgclrtxt() const { return m_tbbgclrtxt; }
    QLineEdit *tbbdrtxt() const { return m_tbbdrtxt; }
    QLineEdit *tbbdrclrtxt() const { return m_tbbdrclrtxt; }
    QLineEdit *tbcelspctxt() const { return m_tbcelspctxt; }
    QLineEdit *tbcelpadtxt() const { return m_tbcelpadtxt; }
    QPushButton *ln() const { return m_ln; }
    QPushButton *tbgenbtn() const { return m_tbgenbtn; }
    QPushButton *cnclbtn() const { return m_cnclbtn; }

public slots:
    void tbgenbtn_Click();
    void cnclbtn_Click();
    void ln_Click();

private:
    // The count in field, or nothing after telling the user what the field accepts.
    std::optional<int> readCount(QLineEdit *field, const QString &name);

    EditorControl &m_editor;
    HostServices &m_host;
    std::function<void()> m_refreshPreview;
    std::function<void()> m_showColourPicker;
    QLineEdit *m_tbrowstxt = nullptr;
    QLineEdit *m_tbcolstxt = nullptr;
    QLineEdit *m_tbwidthtxt = nullptr;
    QLineEdit *m_tbheighttxt = nullptr;
    QLineEdit *m_tbbgclrtxt = nullptr;
    QLineEdit *m_tbbdrtxt = nullptr;
    QLineEdit *m_tbbdrclrtxt = nullptr;
    QLineEdit *m_tbcelspctxt = nullptr;
    QLineEdit *m_tbcelpadtxt = nullptr;
    QPushButton *m_ln = nullptr;
    QPushButton *m_tbgenbtn = nullptr;
    QPushButton *m_cnclbtn = nullptr;
};
