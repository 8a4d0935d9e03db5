// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class BenchReport;

// The cost of linking the previews to the source, on the 1 MB page:
//   preview_marks_1MB
//       Marking the preview's copy with the start tags' offsets, which is what a live-preview
//       refresh does more when the links are on: CPU time of the thread, median of five.
//       Budget: <= 50 ms.
//   preview_outline_1MB_median, _max
//       From a caret move in the editor until the preview's script has outlined the element there
//       (the rest the caret must have, the page model's lookup, the call into the script's world
//       and its answer), wall time over ten moves across the page. Budget: median <= 100 ms.
namespace PreviewLinkBench {

void measure(BenchReport &report, const QByteArray &page1MB);

} // namespace PreviewLinkBench
