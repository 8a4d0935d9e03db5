// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <thread>

// A deadline that a long computation on this thread can poll at almost no cost: a thread of its
// own waits out the time and raises a flag, so the computation reads an atomic instead of the
// clock. Destroying the watchdog ends its thread at once (std::jthread stops and joins it).
class MatchWatchdog
{
public:
    explicit MatchWatchdog(std::chrono::milliseconds budget);
    MatchWatchdog(const MatchWatchdog &) = delete;
    MatchWatchdog &operator=(const MatchWatchdog &) = delete;

    bool expired() const { return m_expired.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> m_expired{false};
    std::jthread m_thread;
};
