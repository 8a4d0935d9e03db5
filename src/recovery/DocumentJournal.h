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
// Typing never waits for the disk: the text is copied as the editor keeps it (UTF-8), a piece
// per turn of the event loop so that a key typed meanwhile waits for one piece at most, and
// the copy is turned into the journal's form and written on a worker thread. A change during
// the copy drops it (the next write follows the change). One write runs at a time; a copy made
// meanwhile waits for it and replaces any older one waiting, so the journal only ever moves to
// newer text.
class DocumentJournal : public QObject
{
    Q_OBJECT

public:
    // What the journal keeps of the document, its text left empty; nothing when the document
    // has no unsaved changes.
    using TakeRecord = std::function<std::optional<JournalRecord>()>;
    // The document's text as UTF-8: its length, and the bytes from a place on, as many as asked
    // or fewer but at least one (as EditorControl::utf8Length and utf8Piece give them).
    struct Text {
        std::function<qint64()> length;
        std::function<QByteArrayView(qint64 from, qint64 length)> piece;
    };

    static constexpr int DefaultDelay = 3000; // ms after the last change

    // folder: as for RecoveryJournal.
    DocumentJournal(TakeRecord record, Text text, QString folder = {}, QObject *parent = nullptr);
    // Waits for a write in flight: what it writes is the newest text the journal was given.
    ~DocumentJournal() override;

    void setDelay(int milliseconds) { m_timer.setInterval(milliseconds); }
    QString filePath() const { return m_journal.filePath(); }
    // Whether a write waits for the changes to stop.
    bool writePending() const { return m_timer.isActive(); }
    // Whether the text is being copied, or written on the worker thread.
    bool writing() const { return m_copy || m_flight; }

public slots:
    // The document changed: write it once no further change has come for the delay.
    void documentChanged();
    // Starts copying the text, to be written on the worker thread after the write in flight if
    // one is (or removes the journal when nothing is unsaved). Returns after the first piece.
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
    // The record and its text, copied whole.
    struct Snapshot {
        JournalRecord record;
        QByteArray utf8Text;
        qint64 copied = 0;
    };
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
    // The record, stamped, with room for the text; nothing (and the journal removed) when
    // there are no unsaved changes.
    std::optional<Snapshot> startSnapshot();
    // Copies up to limit more bytes of the text; false when the text's length is no longer
    // the snapshot's.
    bool copyText(Snapshot &snapshot, qint64 limit) const;
    // Copies the next piece of the text; once all is copied, writes it.
    void copyStep();
    void dropCopy();
    bool report(const QString &error);

    TakeRecord m_record;
    Text m_text;
    RecoveryJournal m_journal;
    QTimer m_timer;
    QTimer m_copyTimer; // the next piece of the copy, after the events waiting
    std::optional<Snapshot> m_copy;
    QThreadPool m_worker;
    std::shared_ptr<Flight> m_flight;
    QFuture<void> m_flightDone;
    std::optional<Snapshot> m_waiting;
    bool m_failing = false;
};
