// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The benchmark's memory readings of its own process.
namespace ProcessMemory {
// A field of /proc/self/status in bytes (VmRSS, VmHWM); 0 when it cannot be read.
qint64 statusBytes(const QByteArray &field);
// Hands freed memory back and starts a new peak (VmHWM) from the memory in use now, which it
// returns.
qint64 resetPeak();
} // namespace ProcessMemory
