// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ChangeTracker.h"
#include "editor/EditorControl.h"
#include "model/PageModelBuilder.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

// The editor r1 with its scratch control and change tracker, as the main window wires them, and
// the page model builder over it; shown, so keys and the focus work as they do for the user.
struct ModelFixture {
    QWidget window;
    EditorControl r1{&window};
    EditorControl rtbTemp;
    ChangeTracker tracker{r1, rtbTemp, [] {}};
    PageModelBuilder builder{r1};

    ModelFixture()
    {
        rtbTemp.shareDocumentWith(r1);
        QObject::connect(&r1, &EditorControl::Change, &tracker, &ChangeTracker::r1_Change);
        r1.widget()->resize(600, 300);
        window.resize(600, 300);
        window.show();
        r1.SetFocus();
    }

    // Writes text, then waits for its model.
    bool load(const QString &text)
    {
        r1.setText(text);
        return waitForModel();
    }

    bool waitForModel()
    {
        QSignalSpy built(&builder, &PageModelBuilder::modelChanged);
        builder.rebuildNow();
        while (!builder.isCurrent()) {
            if (!built.wait(30000))
                return false;
        }
        return true;
    }

    void type(const QString &keys) { QTest::keyClicks(r1.widget(), keys); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(r1.widget(), key, modifiers); }
};
