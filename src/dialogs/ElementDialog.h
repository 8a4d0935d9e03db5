// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

class EditorControl;

// The common ground of the modal element dialogs: each is created afresh with its defaults,
// owned by the main window, and its OK replaces the editor's selection with the fragment it
// builds, refreshes the quick preview and closes.
class ElementDialog : public QDialog
{
    Q_OBJECT

public:
    ElementDialog(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent);

protected:
    // Replaces the selection with fragment (the caret ends after it), refreshes the quick
    // preview and closes the dialog as accepted.
    void insertFragment(const QString &fragment);
    // Closes the dialog as cancelled, refreshing the quick preview first when asked to.
    void cancel(bool refresh);

    EditorControl &editor() const { return m_editor; }
    void refreshPreview() const { m_refreshPreview(); }

private:
    EditorControl &m_editor;
    std::function<void()> m_refreshPreview;
};
