// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>

// CPU time rather than wall time: the machines the benchmark runs on are shared, and another
// process's work must not count as the editor's.
namespace CpuClock {

inline double milliseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The calling thread's CPU time: the work of one key press.
inline double thread()
{
    return milliseconds(CLOCK_THREAD_CPUTIME_ID);
}

// The whole process's, helper threads included: the work of opening a page.
inline double process()
{
    return milliseconds(CLOCK_PROCESS_CPUTIME_ID);
}

} // namespace CpuClock
