// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// Ends the test process when the scope it guards does not finish in time: a call that would
// block forever (a pipe waiting for its writer) fails the run instead of hanging it.
class Watchdog
{
public:
    explicit Watchdog(const char *what, std::chrono::seconds limit = std::chrono::seconds(10))
        : m_thread([this, what, limit] {
            std::unique_lock lock(m_mutex);
            if (!m_done.wait_for(lock, limit, [this] { return m_finished; })) {
                std::fprintf(stderr, "FAIL: %s did not return within %lld s\n", what, static_cast<long long>(limit.count()));
                std::_Exit(3);
            }
        })
    {
    }

    ~Watchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};
