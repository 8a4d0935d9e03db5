// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ChangeTracker.h"
#include "editor/EditorControl.h"

#include <QAction>
#include <QElapsedTimer>
#include <QList>

// The editor as the main window wires it: r1 on screen (offscreen here), rtbTemp sharing its
// document, the change tracker and the Save command it switches on. Every change handling is
// timed from just before the tracker runs to just after it returns.
class EditingSession
{
public:
    EditingSession();

    EditorControl r1;
    EditorControl rtbTemp;
    QAction save;
    ChangeTracker tracker{r1, rtbTemp, [this] { save.setEnabled(true); }};

    // Durations of the change handlings so far, in milliseconds.
    QList<double> durations;

    // Types text at the caret, one key press and release per character, letting the editor
    // paint every few keys as it would for a person typing.
    void type(const QString &text);

private:
    QElapsedTimer m_timer;
};
