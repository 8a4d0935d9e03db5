// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class BenchReport;

// The cost of linking the previews to the source, on the 1 MB page:
//   preview_marks_1MB
//       Marking the preview's copy with the start tags' offsets, which is what a live-preview
//       refresh does more when the links are on: CPU time of the thread, median of five.
//       Budget: <= 50 ms.
//   preview_outline_1MB_median, preview_outline_1MB_max
//       From a caret move in the editor until the preview's script reports the element around
//       the caret outlined: the rest after the caret's last move (SourceLink::restMs), the page
//       model's look-up and the round trip to the page, wall time over ten places spread through
//       the page, in a real (offscreen) browser view. Budget: median <= 100 ms.
namespace PreviewLinkBench {

void measure(BenchReport &report, const QByteArray &page1MB);

} // namespace PreviewLinkBench
