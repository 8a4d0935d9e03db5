// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class BenchReport;

// The find dialog's regular expressions on the 10 MB page, clicked in the real dialog with the
// change handling wired as in the main window (EditingSession).
//
//   regex_replace_all_10MB_cpu, _matches, _steps, _history, _peak_memory
//       Replace All of <(/?)(p|li|td|b)> by <\1span> (over 100,000 matches from the top of the
//       page to its end): CPU time of the click (search, rebuild, the one write and its change
//       handling), budget 1000 ms; the undo steps it made (budget 1); what the history keeps;
//       the peak memory the click adds over the page loaded in the editor.
//   plain_replace_all_10MB_cpu, _peak_memory, regex_to_plain_replace_all_10MB_peak_memory_ratio
//       The same for a plain Replace All of "<p>" by "<p >", whose occurrences span the page as
//       far: most of the memory is the write's and its change handling's, whatever found the
//       text. The regular expression may add at most a quarter to it (budget 1.25).
//   regex_find_next_10MB_cpu
//       A search from the top of the page to a match at its very end ("</body>\s*</html>"): the
//       whole text is read from the editor and searched once. Budget 300 ms.
//   regex_find_next_10MB_any_start_cpu
//       The same for "\w+\s+\d{9}", found nowhere, which may start at any letter: PCRE2
//       tries it, and calls the watchdog, almost everywhere. Budget 1000 ms.
namespace SearchBench {

void measure(BenchReport &report, const QByteArray &page10MB);

} // namespace SearchBench
