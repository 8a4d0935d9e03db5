// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

class EditorControl;
class QAbstractButton;

// The common ground of the modal element dialogs: each is created afresh with its defaults,
// owned by the main window, and its OK replaces the editor's selection with the fragment it
// builds, refreshes the quick preview and closes. The window has a title bar without close,
// minimise or maximise buttons.
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

    // Makes Esc press button, so it runs that button's handler; with nullptr Esc does nothing.
    // A dialog that never calls this closes as cancelled on Esc.
    void setCancelButton(QAbstractButton *button);

    void keyPressEvent(QKeyEvent *event) override;

    EditorControl &editor() const { return m_editor; }
    void refreshPreview() const { m_refreshPreview(); }

private:
    EditorControl &m_editor;
    std::function<void()> m_refreshPreview;
    bool m_escapeHandled = false;
    QPointer<QAbstractButton> m_cancelButton;
};
