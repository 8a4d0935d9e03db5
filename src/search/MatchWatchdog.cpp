// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/MatchWatchdog.h"

#include <condition_variable>
#include <mutex>

MatchWatchdog::MatchWatchdog(std::chrono::milliseconds budget)
    : m_thread([this, budget](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any wakeUp;
        std::unique_lock lock(mutex);
        // Returns early only when the watchdog is destroyed.
        wakeUp.wait_for(lock, stop, budget, [] { return false; });
        if (!stop.stop_requested())
            m_expired.store(true, std::memory_order_relaxed);
    })
{
}
