// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class BenchReport;

// Saving a large page and keeping the crash journal of one.
//
//   save_100MB_added_memory_<format>
//       The peak memory a Save of the 100 MB page adds to the process, over what it held with
//       the page open, for every encoding the program writes (and LF line breaks). Budget:
//       <= 0.5 x the file.
//   journal_key_wait_10MB_median, journal_key_wait_10MB_max
//       A key typed just as the journal of the 10 MB page (with an unsaved change) starts being
//       written: wall time from the key being typed until the editor has handled it, over five
//       writes. Budget: <= 16 ms each.
namespace SaveBench {
void measure(BenchReport &report);
} // namespace SaveBench
