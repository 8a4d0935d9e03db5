// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/DocumentJournal.h"

#include <QDateTime>
#include <QtConcurrent/QtConcurrentRun>

DocumentJournal::DocumentJournal(TakeSnapshot snapshot, QString folder, QObject *parent)
    : QObject(parent)
    , m_snapshot(std::move(snapshot))
    , m_journal(std::move(folder))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(DefaultDelay);
    connect(&m_timer, &QTimer::timeout, this, &DocumentJournal::startWrite);
    m_worker.setMaxThreadCount(1);
}

DocumentJournal::~DocumentJournal()
{
    // Before any member goes: the worker reports back to this object.
    m_flightDone.waitForFinished();
}

void DocumentJournal::documentChanged()
{
    m_timer.start();
}

bool DocumentJournal::takeSnapshot(std::optional<Snapshot> &snapshot)
{
    snapshot = m_snapshot();
    if (!snapshot) {
        discard();
        return false;
    }
    snapshot->record.written = QDateTime::currentDateTimeUtc();
    return true;
}

void DocumentJournal::startWrite()
{
    m_timer.stop();
    std::optional<Snapshot> snapshot;
    if (!takeSnapshot(snapshot))
        return;
    if (m_flight) {
        m_waiting = std::move(snapshot);
        return;
    }
    launch(std::move(*snapshot));
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
    std::optional<Snapshot> snapshot;
    if (!takeSnapshot(snapshot))
        return true;
    stopWriting();
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
