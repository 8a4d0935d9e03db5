// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recovery/JournalRecord.h"
#include "recovery/RecoveryJournal.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

// Keeps the open document's unsaved text in this instance's journal: written once the changes
// have stopped for a moment, so typing never waits for the disk, and removed when the document
// is saved or put away on purpose.
class DocumentJournal : public QObject
{
    Q_OBJECT

public:
    // The document as it stands, or nothing when it has no unsaved changes.
    using Snapshot = std::function<std::optional<JournalRecord>()>;

    static constexpr int DefaultDelay = 3000; // ms after the last change

    // folder: as for RecoveryJournal.
    explicit DocumentJournal(Snapshot snapshot, QString folder = {}, QObject *parent = nullptr);

    void setDelay(int milliseconds) { m_timer.setInterval(milliseconds); }
    QString filePath() const { return m_journal.filePath(); }
    // Whether a write waits for the changes to stop.
    bool writePending() const { return m_timer.isActive(); }

public slots:
    // The document changed: write it once no further change has come for the delay.
    void documentChanged();
    // Writes the document now (or removes the journal when nothing is unsaved). True when the
    // unsaved text is in the journal, or there is none.
    bool writeNow();
    // The document was saved or put away on purpose: nothing to keep.
    void discard();

signals:
    // A write failed; reported once until a write succeeds again.
    void failed(const QString &reason);

private:
    Snapshot m_snapshot;
    RecoveryJournal m_journal;
    QTimer m_timer;
    bool m_failing = false;
};
