// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class BenchReport;

// What starting the real program costs, measured from outside on a virtual display with a window
// manager, as a user starts it (a fresh home each time, the median of three fresh processes).
// "Idle" is the first moment the process's CPU time has not grown for half a second after its
// window appeared; memory is the resident memory of the program's own process (the browser
// engine's renderer is a process of its own).
//
//   start_plain_rss, start_plain_cpu
//       A start with no file until idle: resident memory (budget 60 MB) and the CPU time of the
//       process (budget 200 ms). Neither the browser engine, nor Qt Quick, nor an OpenGL driver
//       may be loaded by then; they are most of what a start would otherwise cost.
//   start_then_preview_rss, start_then_preview_cpu
//       The same start, then the preview window (F11) until idle: what the first preview loads.
//   start_open_10MB_peak
//       A start with the 10 MB page until idle: the peak memory of the process, for reference.
//       A widely used Scintilla-based editor peaks at about 126 MB on the same page; ours is
//       above it by the page model's parse, whose tree (gumbo's, about 13 bytes per byte of the
//       page, model_parse_peak_10MB) lives only while the parse runs. The document's own share
//       has its budget in window_open_10MB_process_peak.
namespace StartBench {
void measure(BenchReport &report, const QByteArray &page10MB);
}
