// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class EditorControl;
class HostServices;
class QPushButton;

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

    // "OK", the default button: Enter presses it unless another push button has the focus.
    QPushButton *makeOkButton(const char *name = "cmdOK");
    // "Cancel", the button Esc presses: Esc runs its handler as a click does, with or without
    // the preview refresh. A dialog without one (the script dialog) ignores Esc.
    QPushButton *makeCancelButton(const char *name = "cmdCancel");

    // Asks with the host's input box, empty at first and placed with its top-left corner at
    // the dialog's; nothing when the user cancelled.
    std::optional<QString> askAtCorner(HostServices &host, const QString &prompt, const QString &title) const;

    void keyPressEvent(QKeyEvent *event) override;

    EditorControl &editor() const { return m_editor; }
    void refreshPreview() const { m_refreshPreview(); }

private:
    EditorControl &m_editor;
    std::function<void()> m_refreshPreview;
    QPushButton *m_escapeButton = nullptr;
};
