// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditingSession.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

EditingSession::EditingSession()
{
    rtbTemp.shareDocumentWith(r1);
    // Slots run in the order they were connected: start, the tracker, stop.
    QObject::connect(&r1, &EditorControl::Change, &save, [this] { m_timer.start(); });
    QObject::connect(&r1, &EditorControl::Change, &tracker, &ChangeTracker::r1_Change);
    QObject::connect(&r1, &EditorControl::Change, &save,
                     [this] { durations.append(static_cast<double>(m_timer.nsecsElapsed()) / 1e6); });
    r1.widget()->resize(900, 640);
}

void EditingSession::type(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        QTest::keyClick(r1.widget(), text.at(i).toLatin1());
        // A fast typist's screen catches up every few keys; painting is not timed.
        if (i % 8 == 7)
            QCoreApplication::processEvents();
    }
}
