// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

class BenchReport;

// The whole keystroke and the whole open, in the real main window (offscreen): the key event,
// the editor's own work, the change handling, layout and painting. Every case runs in a child
// process of its own, so its peak memory is its own and one case's caches do not help the next.
namespace WindowBench {

// Runs every window case in child processes of program and adds their figures to report.
void measure(BenchReport &report, const QString &program, const QByteArray &page100KB, const QByteArray &page10MB,
             const QByteArray &page1MBSingleLine);

// The child's side: "--window-case <case> <file>" runs one case and prints its figures as
// "figure <name> <value>" lines. Returns the exit status.
int runCase(const QStringList &arguments);

} // namespace WindowBench
