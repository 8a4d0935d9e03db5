// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchBench.h"

#include "BenchReport.h"
#include "CpuClock.h"
#include "ProcessMemory.h"
#include "EditingSession.h"
#include "search/frmFind.h"
#include "support/ScriptedHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

using ProcessMemory::resetPeak;
using ProcessMemory::statusBytes;

namespace {

constexpr double MiB = 1024.0 * 1024.0;

struct RegexDialog {
    explicit RegexDialog(EditingSession &session, const QString &pattern, const QString &replacement)
        : dialog(new frmFind(session.r1, host, mnuFind, [] {}))
    {
        dialog->findChild<QCheckBox *>(QStringLiteral("chkRegex"))->setChecked(true);
        dialog->findChild<QComboBox *>(QStringLiteral("cboFind"))->setEditText(pattern);
        dialog->findChild<QComboBox *>(QStringLiteral("cboReplace"))->setEditText(replacement);
    }
    ~RegexDialog() { delete dialog; }
    RegexDialog(const RegexDialog &) = delete;
    RegexDialog &operator=(const RegexDialog &) = delete;

    // The CPU time of a click of the button.
    double click(const char *name)
    {
        QPushButton *button = dialog->findChild<QPushButton *>(QLatin1String(name));
        const double start = CpuClock::thread();
        button->click();
        const double elapsed = CpuClock::thread() - start;
        const QString error = dialog->findChild<QLabel *>(QStringLiteral("lblRegexError"))->text();
        if (!error.isEmpty())
            qFatal("the search failed: %s", qPrintable(error));
        return elapsed;
    }

    ScriptedHost host;
    QAction mnuFind;
    frmFind *dialog;
};

} // namespace

namespace SearchBench {

void measure(BenchReport &report, const QByteArray &page10MB)
{
    // The dialog remembers its texts and options: here, in a folder of the run's own.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    const QString text = QString::fromUtf8(page10MB);

    const auto replaceAll = [&](const QString &pattern, const QString &replacement, bool regex, int *steps, qsizetype *history) {
        EditingSession session;
        session.r1.setText(text);
        const int stepsBefore = session.tracker.history().size();
        const qsizetype historyBefore = session.tracker.history().byteSize();
        RegexDialog find(session, pattern, replacement);
        find.dialog->findChild<QCheckBox *>(QStringLiteral("chkRegex"))->setChecked(regex);
        find.host.answerMsgBox(HostServices::Ok);
        const qint64 before = resetPeak();
        const double cpu = find.click("cmdReplaceAll");
        const double peak = static_cast<double>(statusBytes("VmHWM") - before) / MiB;
        if (find.host.asked().size() != 1)
            qFatal("Replace All of %s replaced nothing", qPrintable(pattern));
        if (steps) {
            *steps = session.tracker.history().size() - stepsBefore;
            *history = session.tracker.history().byteSize() - historyBefore;
        }
        return std::pair(cpu, peak);
    };

    const QString pattern = QStringLiteral("<(/?)(p|li|td|b)>");
    const auto matches = static_cast<double>(text.count(QRegularExpression(pattern)));
    int steps = 0;
    qsizetype history = 0;
    const auto [cpu, peak] = replaceAll(pattern, QStringLiteral(R"(<\1span>)"), true, &steps, &history);
    // A plain Replace All whose occurrences span the page as far: the write and its change
    // handling, which the regular expression's figure is set against.
    const auto [plainCpu, plainPeak] = replaceAll(QStringLiteral("<p>"), QStringLiteral("<p >"), false, nullptr, nullptr);
    report.add(QStringLiteral("regex_replace_all_10MB_cpu"), cpu, QStringLiteral("ms"), 1000.0);
    report.add(QStringLiteral("regex_replace_all_10MB_matches"), matches, QStringLiteral("matches"));
    report.add(QStringLiteral("regex_replace_all_10MB_steps"), steps, QStringLiteral("steps"), 1.0);
    report.add(QStringLiteral("regex_replace_all_10MB_history"), static_cast<double>(history) / MiB, QStringLiteral("MB"));
    report.add(QStringLiteral("regex_replace_all_10MB_peak_memory"), peak, QStringLiteral("MB"));
    report.add(QStringLiteral("plain_replace_all_10MB_cpu"), plainCpu, QStringLiteral("ms"));
    report.add(QStringLiteral("plain_replace_all_10MB_peak_memory"), plainPeak, QStringLiteral("MB"));
    report.add(QStringLiteral("regex_to_plain_replace_all_10MB_peak_memory_ratio"), peak / plainPeak, QStringLiteral("x"), 1.25);

    {
        EditingSession session;
        session.r1.setText(text);
        RegexDialog find(session, QStringLiteral(R"(</body>\s*</html>)"), QString());
        const double findCpu = find.click("cmdFind");
        if (session.r1.SelStart() + session.r1.SelLength() < session.r1.length() - 2)
            qFatal("the search did not find the end of the page");
        report.add(QStringLiteral("regex_find_next_10MB_cpu"), findCpu, QStringLiteral("ms"), 300.0);
    }
    {
        EditingSession session;
        session.r1.setText(text);
        // A pattern that may start at any letter: it is tried almost everywhere, and so is the
        // watchdog's callout.
        RegexDialog find(session, QStringLiteral(R"(\w+\s+\d{9})"), QString());
        find.host.answerMsgBox(HostServices::Ok);
        const double anywhereCpu = find.click("cmdFind");
        if (find.host.asked().size() != 1 || find.host.asked().first().text != QStringLiteral("Text Not Found"))
            qFatal("a search for what is not on the page found something");
        report.add(QStringLiteral("regex_find_next_10MB_any_start_cpu"), anywhereCpu, QStringLiteral("ms"), 1000.0);
    }
}

} // namespace SearchBench
