// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recovery/JournalRecord.h"

#include <QString>

#include <functional>

class HostServices;

// The start-up offer: for each journal an ended instance left behind, newest first, one
// question whether to recover its unsaved text. Yes restores it and ends the offer (the window
// holds one document; journals not yet asked about are offered at the next start); No deletes
// the journal. A journal that cannot be read is renamed aside and reported, never deleted.
namespace JournalRecovery {

// Puts the record into the window; true once the text is kept again in this instance's own
// journal, so the old one may go.
using Restore = std::function<bool(const JournalRecord &)>;

// folder: the journal folder; empty for the per-user one. True when a document was restored.
bool offer(HostServices &host, const Restore &restore, const QString &folder = {});

// The question asked about record.
QString question(const JournalRecord &record);

} // namespace JournalRecovery
