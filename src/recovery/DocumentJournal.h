// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recovery/JournalRecord.h"
#include "recovery/RecoveryJournal.h"

#include <QByteArray>
#include <QFuture>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// Keeps the open document's unsaved text in this instance's journal: written once the changes
// have stopped for a moment, and removed when the document is saved or put away on purpose.
//
// Typing never waits for the disk: the document is copied as the editor keeps it (its UTF-8
// bytes, in one step) and that copy is turned into the journal's form and written on a worker
// thread. One write runs at a time; a snapshot taken meanwhile waits for it and replaces any
// older one waiting, so the journal only ever moves to newer text.
class DocumentJournal : public QObject
{
    Q_OBJECT

public:
    // What the journal keeps: the record, its text left empty, and the text as UTF-8.
    struct Snapshot {
        JournalRecord record;
        QByteArray utf8Text;
    };
    // The document as it stands, or nothing when it has no unsaved changes.
    using TakeSnapshot = std::function<std::optional<Snapshot>()>;

    static constexpr int DefaultDelay = 3000; // ms after the last change

    // folder: as for RecoveryJournal.
    explicit DocumentJournal(TakeSnapshot snapshot, QString folder = {}, QObject *parent = nullptr);
    // Waits for a write in flight: what it writes is the newest text the journal was given.
    ~DocumentJournal() override;

    void setDelay(int milliseconds) { m_timer.setInterval(milliseconds); }
    QString filePath() const { return m_journal.filePath(); }
    // Whether a write waits for the changes to stop.
    bool writePending() const { return m_timer.isActive(); }
    // Whether a write runs on the worker thread, or a snapshot waits for it.
    bool writing() const { return m_flight != nullptr; }

public slots:
    // The document changed: write it once no further change has come for the delay.
    void documentChanged();
    // Takes a snapshot and writes it on the worker thread, after the write in flight if one is
    // (or removes the journal when nothing is unsaved). Returns at once.
    void startWrite();
    // Writes the document now and waits for it, a write in flight cancelled as stale (or
    // removes the journal when nothing is unsaved). True when the unsaved text is in the
    // journal, or there is none.
    bool writeNow();
    // The document was saved or put away on purpose: nothing to keep. A write in flight is
    // cancelled and waited for, so that it cannot bring the journal back.
    void discard();

signals:
    // A write failed; reported once until a write succeeds again.
    void failed(const QString &reason);

private:
    // One write on the worker thread; its result is read once the future has finished.
    struct Flight {
        std::atomic_bool cancelled = false;
        QString error;
    };

    // Starts writing snapshot on the worker thread.
    void launch(Snapshot snapshot);
    // The write in flight has ended: reports it and starts the snapshot waiting, if any.
    void landed(const Flight *flight);
    // Cancels the write in flight, if any, and waits for it to end; drops a waiting snapshot.
    void stopWriting();
    // Removes the journal when snapshot is empty; otherwise stamps it.
    bool takeSnapshot(std::optional<Snapshot> &snapshot);
    bool report(const QString &error);

    TakeSnapshot m_snapshot;
    RecoveryJournal m_journal;
    QTimer m_timer;
    QThreadPool m_worker;
    std::shared_ptr<Flight> m_flight;
    QFuture<void> m_flightDone;
    std::optional<Snapshot> m_waiting;
    bool m_failing = false;
};
