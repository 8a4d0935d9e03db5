// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class BenchReport;

// The cost of linking the previews to the source, on the 1 MB page:
//   preview_marks_1MB
//       Marking the preview's copy with the start tags' offsets, which is what a live-preview
//       refresh does more when the links are on: CPU time of the thread, median of five.
//       Budget: <= 50 ms.
namespace PreviewLinkBench {

void measure(BenchReport &report, const QByteArray &page1MB);

} // namespace PreviewLinkBench
