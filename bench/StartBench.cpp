// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartBench.h"

#include "BenchReport.h"
#include "support/VirtualDisplay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

constexpr double mebibyte = 1024.0 * 1024.0;
constexpr int runs = 3;

struct ProcessReading {
    double cpuMs = 0;
    double rssMb = 0;
    double peakMb = 0;
};

ProcessReading read(qint64 pid)
{
    ProcessReading reading;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        // The command name may hold spaces: the fields are counted from the closing parenthesis.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble(); // utime, stime
        reading.cpuMs = ticks * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
    }
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() >= 2 && parts.at(0) == "VmRSS:")
                reading.rssMb = parts.at(1).toDouble() * 1024.0 / mebibyte;
            else if (parts.size() >= 2 && parts.at(0) == "VmHWM:")
                reading.peakMb = parts.at(1).toDouble() * 1024.0 / mebibyte;
        }
    }
    return reading;
}

// Waits until the process's CPU time stands still for half a second, and reads it then.
ProcessReading readWhenIdle(const QProcess &program)
{
    ProcessReading last = read(program.processId());
    int still = 0;
    while (still < 5 && program.state() == QProcess::Running) {
        QTest::qWait(100);
        const ProcessReading now = read(program.processId());
        still = now.cpuMs == last.cpuMs ? still + 1 : 0;
        last = now;
    }
    return last;
}

void stop(QProcess &program)
{
    program.kill();
    program.waitForFinished();
}

} // namespace

void StartBench::measure(BenchReport &report, const QByteArray &page10MB)
{
    if (qEnvironmentVariable("ZORVANE_EXECUTABLE").isEmpty()) {
        report.fail(QStringLiteral("start figures: ZORVANE_EXECUTABLE names no program (scripts/bench sets it)"));
        return;
    }
    VirtualDisplay display;
    const QString problem = display.start(true);
    if (!problem.isEmpty()) {
        report.fail(QStringLiteral("start figures: ") + problem);
        return;
    }
    QTemporaryDir pages;
    const QString page = pages.filePath(QStringLiteral("page10MB.html"));
    QFile file(page);
    if (!file.open(QIODevice::WriteOnly) || file.write(page10MB) != page10MB.size()) {
        report.fail(QStringLiteral("start figures: the 10 MB page could not be written"));
        return;
    }
    file.close();

    QList<double> plainRss, plainCpu, previewRss, previewCpu, openPeak;
    for (int run = 0; run < runs; ++run) {
        {
            QTemporaryDir home;
            QProcess program;
            display.startProgram(program, home, {});
            const QString window = display.waitForWindow(QStringLiteral("^Zorvane v1\\.0 - \\[Untitled\\]$"));
            if (window.isEmpty()) {
                report.fail(QStringLiteral("start figures: the main window did not appear"));
                stop(program);
                return;
            }
            const ProcessReading plain = readWhenIdle(program);
            plainRss << plain.rssMb;
            plainCpu << plain.cpuMs;
            display.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
            display.xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("F11")});
            if (display.waitForWindow(QStringLiteral("^Preview Window:$")).isEmpty()) {
                report.fail(QStringLiteral("start figures: the preview window did not appear"));
                stop(program);
                return;
            }
            const ProcessReading preview = readWhenIdle(program);
            previewRss << preview.rssMb;
            previewCpu << preview.cpuMs;
            stop(program);
        }
        {
            QTemporaryDir home;
            QProcess program;
            display.startProgram(program, home, {page});
            if (display.waitForWindow(QStringLiteral("^Zorvane v1\\.0 - \\[.*page10MB")).isEmpty()) {
                report.fail(QStringLiteral("start figures: the 10 MB page's window did not appear"));
                stop(program);
                return;
            }
            openPeak << readWhenIdle(program).peakMb;
            stop(program);
        }
    }
    report.add(QStringLiteral("start_plain_rss"), BenchReport::median(plainRss), QStringLiteral("MB"), 60);
    report.add(QStringLiteral("start_plain_cpu"), BenchReport::median(plainCpu), QStringLiteral("ms"), 200);
    report.add(QStringLiteral("start_then_preview_rss"), BenchReport::median(previewRss), QStringLiteral("MB"));
    report.add(QStringLiteral("start_then_preview_cpu"), BenchReport::median(previewCpu), QStringLiteral("ms"));
    report.add(QStringLiteral("start_open_10MB_peak"), BenchReport::median(openPeak), QStringLiteral("MB"));
}
