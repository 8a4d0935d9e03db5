// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAction;

// The switches of the links between the source and its previews, with checkable actions for a
// menu; each choice is remembered with the other editing aids. Scrolling both ways counts only
// while the preview window follows the editor's scrolling.
class SourceLinkOptions : public QObject
{
    Q_OBJECT

public:
    enum Switch {
        Outline,        // the element at the resting caret is outlined in the previews
        SourceClick,    // Ctrl+click in a preview puts the caret at the element's start tag
        ScrollSync,     // the preview window scrolls with the editor
        ScrollBothWays, // ... and the editor with the preview window (off at first)
        SwitchCount
    };

    explicit SourceLinkOptions(QObject *parent = nullptr);

    bool isOn(Switch option) const;
    void setOn(Switch option, bool on);
    QAction *toggleAction(Switch option) const { return m_toggles[option]; }
    // Some switch needs the previews' copies marked with source offsets.
    bool needsMarks() const;

signals:
    void changed();

private:
    bool m_on[SwitchCount];
    QAction *m_toggles[SwitchCount];
};
