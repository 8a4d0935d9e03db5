// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/DocumentJournal.h"

#include <QDateTime>
#include <QtConcurrent/QtConcurrentRun>

#include <cstring>

namespace {

// How much of the text is copied per turn of the event loop: a few milliseconds at most, even
// where the copy's memory is touched for the first time.
constexpr qint64 CopyPiece = qint64(1) << 18;

} // namespace

DocumentJournal::DocumentJournal(TakeRecord record, Text text, QString folder, QObject *parent)
    : QObject(parent)
    , m_record(std::move(record))
    , m_text(std::move(text))
    , m_journal(std::move(folder))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(DefaultDelay);
    connect(&m_timer, &QTimer::timeout, this, &DocumentJournal::startWrite);
    m_copyTimer.setSingleShot(true);
    m_copyTimer.setInterval(0);
    connect(&m_copyTimer, &QTimer::timeout, this, &DocumentJournal::copyStep);
    m_worker.setMaxThreadCount(1);
}

DocumentJournal::~DocumentJournal()
{
    // Before any member goes: the worker reports back to this object.
    m_flightDone.waitForFinished();
}

void DocumentJournal::documentChanged()
{
    // A copy under way would hold text older than the document's.
    dropCopy();
    m_timer.start();
}

std::optional<DocumentJournal::Snapshot> DocumentJournal::startSnapshot()
{
    std::optional<JournalRecord> record = m_record();
    if (!record) {
        discard();
        return std::nullopt;
    }
    Snapshot snapshot;
    snapshot.record = std::move(*record);
    snapshot.record.written = QDateTime::currentDateTimeUtc();
    snapshot.utf8Text = QByteArray(m_text.length(), Qt::Uninitialized);
    return snapshot;
}

bool DocumentJournal::copyText(Snapshot &snapshot, qint64 limit) const
{
    const qint64 size = snapshot.utf8Text.size();
    if (m_text.length() != size)
        return false;
    const qint64 end = std::min(size, snapshot.copied + limit);
    while (snapshot.copied < end) {
        const QByteArrayView piece = m_text.piece(snapshot.copied, end - snapshot.copied);
        if (piece.isEmpty())
            return false;
        std::memcpy(snapshot.utf8Text.data() + snapshot.copied, piece.data(), static_cast<size_t>(piece.size()));
        snapshot.copied += piece.size();
    }
    return true;
}

void DocumentJournal::startWrite()
{
    m_timer.stop();
    dropCopy();
    m_copy = startSnapshot();
    if (m_copy)
        copyStep();
}

void DocumentJournal::copyStep()
{
    if (!m_copy)
        return;
    if (!copyText(*m_copy, CopyPiece)) {
        // The text changed without a word: start again once the changes stop.
        dropCopy();
        m_timer.start();
        return;
    }
    if (m_copy->copied < m_copy->utf8Text.size()) {
        m_copyTimer.start();
        return;
    }
    Snapshot snapshot = std::move(*std::exchange(m_copy, std::nullopt));
    if (m_flight) {
        m_waiting = std::move(snapshot);
        return;
    }
    launch(std::move(snapshot));
}

void DocumentJournal::dropCopy()
{
    m_copyTimer.stop();
    m_copy.reset();
}

void DocumentJournal::launch(Snapshot snapshot)
{
    // The folder is checked and the file taken here, on the journal's own thread; the worker
    // only writes the file's bytes.
    if (const QString error = m_journal.reserve(); !error.isEmpty()) {
        report(error);
        return;
    }
    auto flight = std::make_shared<Flight>();
    m_flight = flight;
    m_flightDone = QtConcurrent::run(&m_worker, [this, flight, file = m_journal.filePath(), snapshot = std::move(snapshot)] {
        flight->error = RecoveryJournal::writeFile(file, [&snapshot, &flight](QIODevice &device) {
            return snapshot.record.writeTo(device, snapshot.utf8Text, flight->cancelled);
        });
        QMetaObject::invokeMethod(this, [this, flight] { landed(flight.get()); }, Qt::QueuedConnection);
    });
}

void DocumentJournal::landed(const Flight *flight)
{
    // A write that was waited for has been dealt with already.
    if (flight != m_flight.get())
        return;
    m_flightDone.waitForFinished();
    m_flight.reset();
    report(flight->error);
    if (m_waiting)
        launch(*std::exchange(m_waiting, std::nullopt));
}

void DocumentJournal::stopWriting()
{
    dropCopy();
    m_waiting.reset();
    if (!m_flight)
        return;
    m_flight->cancelled = true;
    m_flightDone.waitForFinished();
    m_flight.reset();
}

bool DocumentJournal::writeNow()
{
    m_timer.stop();
    stopWriting();
    std::optional<Snapshot> snapshot = startSnapshot();
    if (!snapshot)
        return true;
    if (!copyText(*snapshot, snapshot->utf8Text.size()))
        return report(QStringLiteral("the document changed while it was being copied"));
    if (const QString error = m_journal.reserve(); !error.isEmpty())
        return report(error);
    const std::atomic_bool neverCancelled = false;
    return report(RecoveryJournal::writeFile(m_journal.filePath(), [&snapshot, &neverCancelled](QIODevice &device) {
        return snapshot->record.writeTo(device, snapshot->utf8Text, neverCancelled);
    }));
}

void DocumentJournal::discard()
{
    m_timer.stop();
    stopWriting();
    m_journal.remove();
}

bool DocumentJournal::report(const QString &error)
{
    if (error.isEmpty()) {
        m_failing = false;
        return true;
    }
    if (!m_failing)
        emit failed(error);
    m_failing = true;
    return false;
}
