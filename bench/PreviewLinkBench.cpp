// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewLinkBench.h"

#include "BenchReport.h"
#include "CpuClock.h"
#include "previewui/SourceMarks.h"

void PreviewLinkBench::measure(BenchReport &report, const QByteArray &page1MB)
{
    const QString text = QString::fromUtf8(page1MB);
    QList<double> runs;
    for (int run = 0; run < 5; ++run) {
        const double start = CpuClock::thread();
        const SourceMarks marks = SourceMarks::mark(text);
        runs.append(CpuClock::thread() - start);
        if (marks.offsets().empty())
            qFatal("the page has no start tags");
    }
    report.add(QStringLiteral("preview_marks_1MB"), BenchReport::median(runs), QStringLiteral("ms"), 50.0);
}
