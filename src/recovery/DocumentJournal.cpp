// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/DocumentJournal.h"

DocumentJournal::DocumentJournal(Snapshot snapshot, QString folder, QObject *parent)
    : QObject(parent)
    , m_snapshot(std::move(snapshot))
    , m_journal(std::move(folder))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(DefaultDelay);
    connect(&m_timer, &QTimer::timeout, this, &DocumentJournal::writeNow);
}

void DocumentJournal::documentChanged()
{
    m_timer.start();
}

bool DocumentJournal::writeNow()
{
    m_timer.stop();
    std::optional<JournalRecord> record = m_snapshot();
    if (!record) {
        m_journal.remove();
        return true;
    }
    record->written = QDateTime::currentDateTimeUtc();
    const QString error = m_journal.write(*record);
    if (error.isEmpty()) {
        m_failing = false;
        return true;
    }
    if (!m_failing)
        emit failed(error);
    m_failing = true;
    return false;
}

void DocumentJournal::discard()
{
    m_timer.stop();
    m_journal.remove();
}
