// SPDX-License-Identifier: GPL-3.0-or-later
//
// zorvane_bench: the performance figures of the editor, measured offscreen on generated pages
// (Corpus: 100 KB, 1 MB and 10 MB pages with CR LF lines, and a 1 MB page on a single line).
// Run it through scripts/bench, which builds in Release mode. Each line reads
// "name value unit budget"; the last line says whether every budget was met (exit status 1
// when one was not).
//
//   typing_<page>_median, typing_<page>_p99
//       The change handling of one typed character (colouring, history, Save flag; the key
//       handling of the editor and the painting are outside it), over 1000 characters typed
//       as key presses into the middle of the page. Budget: median <= 0.1 ms at 1 MB and 10 MB.
//   typing_10MB_to_100KB_median_ratio
//       The 10 MB median over the 100 KB median: change handling must not grow with the
//       document. Budget: <= 1.5.
//   comment_open_10MB_change<n>
//       Each of the four changes made typing "<!--" at the very top of the 10 MB page.
//       Budget: <= 2 ms each.
//   history_1000_chars_10MB
//       The bytes the undo history holds after 1000 typed characters on the 10 MB page, over
//       what it held before. Budget: <= 2 MB. rss_growth_1000_chars_10MB is the growth of the
//       whole process over the same typing (painting and layout included), for reference.
//   open_10MB, open_10MB_qsci_lexer, open_10MB_ratio
//       Opening the 10 MB page from a file until every character is coloured, against a plain
//       QsciScintilla with QsciLexerHTML reading the same file and forced to style it all
//       (SCI_COLOURISE 0, -1): CPU time of the thread, median of five alternating runs.
//       Budget: ratio <= 1. open_10MB_added_memory is what the open adds to the process, against
//       3 x the file.
//   window_key_<case>_median, window_key_<case>_p99
//       The whole keystroke in the real main window (WindowBench: a child process per case):
//       key press and release, the editor's own work, the change handling and a forced repaint
//       of the editor, in CPU time of the GUI thread, after two keys that are not counted. Cases:
//       the end of the 100 KB page, the end and the top of the 10 MB page, the end of the 1 MB
//       single-line page. Budgets: <= 16 ms on 100 KB and on the single line, <= 8 ms on 10 MB;
//       window_key_10MB_end_to_100KB_end_ratio <= 1.5.
//   window_open_<page>_cpu, _wall, _document_memory, _process_peak
//       Opening the 10 MB and the 1 MB single-line pages in the real main window until they are
//       shown, coloured and the event loop is idle: CPU time of the process (budget 500 ms),
//       median of three fresh processes; the peak memory the open adds over the window as it was
//       before (budget 3 x the file size, and 11 x the longest line, which is laid out whole).
//
//   start_...
//       Starting the real program on a virtual display: see StartBench.h.
//
//   regex_...
//       The find dialog's regular expressions on the 10 MB page: see SearchBench.h.
//
//   model_parse_1MB, model_parse_10MB
//       Building the page model (the parse and the checks) of the 1 MB and 10 MB pages, CPU time
//       of the thread, median of three.
//   model_problems_after_pause_10MB
//       From a key typed on the 10 MB page (the builder, the tag aids and the problems list all
//       attached) until the problems list shows the new model: the pause after typing, the
//       parse on its worker thread and the list's refresh, wall time. Budget: <= 2000 ms.
//   model_memory_10MB
//       What the kept model of the 10 MB page adds to the process. Budget: <= 2 x the file.
//       model_parse_peak_10MB is what the parse holds at its peak (the parser's own tree).
//
//   preview_...
//       Linking the previews to the source: see PreviewLinkBench.h.
//
// "--start-only" prints the start figures alone, "--window-only" the window figures,
// "--editor-only" all the others, "--search-only" the regular-expression figures,
// "--model-only" the page model's, "--save-only" the figures of saving and of the crash journal
// (SaveBench.h), "--preview-only" the previews' links;
// "--write-pages DIR" writes the pages, and
// "--window-case open|keys FILE [end|top]" runs one case, for profiling.

#include "BenchReport.h"
#include "Corpus.h"
#include "CpuClock.h"
#include "EditingSession.h"
#include "PreviewLinkBench.h"
#include "SaveBench.h"
#include "SearchBench.h"
#include "StartBench.h"
#include "WindowBench.h"
#include "model/PageModelBuilder.h"
#include "model/PageParser.h"
#include "model/ProblemsList.h"
#include "model/TagAids.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QFile>
#include <QTemporaryDir>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <malloc.h>
#include <unistd.h>

namespace {

constexpr double MiB = 1024.0 * 1024.0;

// The memory the process holds, after handing freed memory back to the system so that only
// what is in use counts.
qint64 residentBytes()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

// Where typing starts: inside the first paragraph after the middle of the page.
int middleOfText(EditorControl &editor)
{
    const int paragraph = editor.Find(QStringLiteral("<p>"), editor.length() / 2, -1, EditorControl::NoHighlight);
    return paragraph < 0 ? editor.length() / 2 : paragraph + 3;
}

QString typedText(int characters)
{
    const QString sentence = QStringLiteral("Quick notes <b>on</b> the page, typed <i>one</i> key at a time. ");
    QString text;
    while (text.size() < characters)
        text += sentence;
    return text.left(characters);
}

double openWithOurEditor(const QString &path, qint64 *addedMemory)
{
    EditingSession session;
    // From the editors as they stand before the open: what the open itself adds.
    const qint64 before = residentBytes();
    const double start = CpuClock::thread();
    if (!session.r1.LoadFile(path))
        qFatal("cannot open %s", qPrintable(path));
    const double elapsed = CpuClock::thread() - start;
    if (session.r1.colourAt(session.r1.length() - 1) == EditorControl::Colour::Plain)
        qFatal("the page was not coloured to its end");
    if (addedMemory)
        *addedMemory = residentBytes() - before;
    return elapsed;
}

double openWithQsciLexer(const QString &path)
{
    QsciScintilla editor;
    editor.setUtf8(true);
    QsciLexerHTML lexer;
    editor.setLexer(&lexer);
    const double start = CpuClock::thread();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open %s", qPrintable(path));
    editor.setText(QString::fromUtf8(file.readAll()));
    editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0ul, -1l);
    const double elapsed = CpuClock::thread() - start;
    editor.setLexer(nullptr);
    return elapsed;
}

// The resident memory at its highest since the last reset (VmHWM), after a reset to now.
qint64 peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

void resetPeakResident()
{
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (reset.open(QIODevice::WriteOnly))
        reset.write("5");
}

void measureModel(BenchReport &report, const QByteArray &page1MB, const QByteArray &page10MB)
{
    for (const auto &[name, page] : {std::pair{QStringLiteral("1MB"), page1MB}, std::pair{QStringLiteral("10MB"), page10MB}}) {
        PageParser::Input input;
        input.text = page;
        QList<double> runs;
        for (int run = 0; run < 3; ++run) {
            const double start = CpuClock::thread();
            const PageModel model = PageParser::parse(input);
            runs.append(CpuClock::thread() - start);
        }
        report.add(QStringLiteral("model_parse_%1").arg(name), BenchReport::median(runs), QStringLiteral("ms"));
    }
    {
        PageParser::Input input;
        input.text = page10MB;
        const qint64 before = residentBytes();
        resetPeakResident();
        const PageModel model = PageParser::parse(input);
        const qint64 peak = peakResidentBytes();
        report.add(QStringLiteral("model_memory_10MB"), static_cast<double>(residentBytes() - before) / MiB, QStringLiteral("MB"),
                   2.0 * static_cast<double>(page10MB.size()) / MiB);
        report.add(QStringLiteral("model_parse_peak_10MB"), static_cast<double>(peak - before) / MiB, QStringLiteral("MB"));
    }
    EditingSession session;
    session.r1.widget()->show();
    session.r1.setText(QString::fromUtf8(page10MB));
    PageModelBuilder builder(session.r1);
    TagAids aids(session.r1, builder);
    ProblemsList problems(session.r1, builder);
    QSignalSpy shown(&problems, &ProblemsList::countChanged);
    builder.rebuildNow();
    while (!builder.isCurrent())
        shown.wait(60000);
    session.r1.setSelStart(middleOfText(session.r1));
    shown.clear();
    QElapsedTimer wall;
    wall.start();
    session.type(QStringLiteral("x"));
    while (!builder.isCurrent() || shown.isEmpty())
        shown.wait(60000);
    report.add(QStringLiteral("model_problems_after_pause_10MB"), static_cast<double>(wall.elapsed()), QStringLiteral("ms"), 2000.0);
}

void measureOpen(BenchReport &report, const QByteArray &page)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page10MB.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
        qFatal("cannot write %s", qPrintable(path));
    file.close();

    qint64 addedMemory = 0;
    QList<double> ours;
    QList<double> lexer;
    for (int run = 0; run < 5; ++run) {
        ours.append(openWithOurEditor(path, run == 0 ? &addedMemory : nullptr));
        lexer.append(openWithQsciLexer(path));
    }
    const double oursMedian = BenchReport::median(ours);
    const double lexerMedian = BenchReport::median(lexer);
    report.add(QStringLiteral("open_10MB"), oursMedian, QStringLiteral("ms"));
    report.add(QStringLiteral("open_10MB_qsci_lexer"), lexerMedian, QStringLiteral("ms"));
    report.add(QStringLiteral("open_10MB_ratio"), oursMedian / lexerMedian, QStringLiteral("x"), 1.0);
    report.add(QStringLiteral("open_10MB_added_memory"), static_cast<double>(addedMemory) / MiB, QStringLiteral("MB"),
               3.0 * static_cast<double>(page.size()) / MiB);
}

// Types 1000 characters into the middle of the page; returns the median.
double measureTyping(BenchReport &report, EditingSession &session, const QString &name, std::optional<double> budget)
{
    session.r1.setSelStart(middleOfText(session.r1));
    session.durations.clear();
    session.type(typedText(1000));
    const double median = BenchReport::median(session.durations);
    report.add(QStringLiteral("typing_%1_median").arg(name), median, QStringLiteral("ms"), budget);
    report.add(QStringLiteral("typing_%1_p99").arg(name), BenchReport::percentile(session.durations, 0.99), QStringLiteral("ms"));
    return median;
}

// Writes the pages the window cases open, for profiling one case by itself.
int writePages(const QString &folder)
{
    const QList<std::pair<QString, QByteArray>> pages = {
        {QStringLiteral("page100KB.html"), Corpus::page(100'000, false)},
        {QStringLiteral("page10MB.html"), Corpus::page(10'000'000, false)},
        {QStringLiteral("page1MB_single_line.html"), Corpus::page(1'000'000, true)},
    };
    for (const auto &[name, page] : pages) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size()) {
            qWarning("cannot write %s", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // The previews' browser engine: its sandbox cannot run as root.
    if (::getuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.value(0) == QStringLiteral("--window-case"))
        return WindowBench::runCase(arguments.mid(1));
    if (arguments.value(0) == QStringLiteral("--write-pages") && arguments.size() == 2)
        return writePages(arguments.at(1));
    BenchReport report;

    const QByteArray page10MB = Corpus::page(10'000'000, false);
    if (arguments.value(0) == QStringLiteral("--search-only")) {
        SearchBench::measure(report, page10MB);
        return report.finish() ? 0 : 1;
    }
    if (arguments.value(0) == QStringLiteral("--preview-only")) {
        PreviewLinkBench::measure(report, Corpus::page(1'000'000, false));
        return report.finish() ? 0 : 1;
    }
    if (arguments.value(0) == QStringLiteral("--start-only")) {
        StartBench::measure(report, page10MB);
        return report.finish() ? 0 : 1;
    }
    if (arguments.value(0) == QStringLiteral("--save-only")) {
        SaveBench::measure(report);
        return report.finish() ? 0 : 1;
    }
    if (arguments.value(0) == QStringLiteral("--model-only")) {
        measureModel(report, Corpus::page(1'000'000, false), page10MB);
        return report.finish() ? 0 : 1;
    }
    if (arguments.value(0) != QStringLiteral("--editor-only"))
        WindowBench::measure(report, QApplication::applicationFilePath(), Corpus::page(100'000, false), page10MB,
                             Corpus::page(1'000'000, true));
    if (arguments.value(0) == QStringLiteral("--window-only"))
        return report.finish() ? 0 : 1;
    StartBench::measure(report, page10MB);
    measureOpen(report, page10MB);
    SearchBench::measure(report, page10MB);
    measureModel(report, Corpus::page(1'000'000, false), page10MB);
    PreviewLinkBench::measure(report, Corpus::page(1'000'000, false));
    SaveBench::measure(report);

    double median100KB = 0;
    {
        EditingSession session;
        session.r1.widget()->show();
        session.r1.setText(QString::fromUtf8(Corpus::page(100'000, false)));
        median100KB = measureTyping(report, session, QStringLiteral("100KB"), std::nullopt);
    }
    {
        EditingSession session;
        session.r1.widget()->show();
        session.r1.setText(QString::fromUtf8(Corpus::page(1'000'000, false)));
        measureTyping(report, session, QStringLiteral("1MB"), 0.1);
    }
    {
        EditingSession session;
        session.r1.widget()->show();
        session.r1.setText(QString::fromUtf8(Corpus::page(1'000'000, true)));
        measureTyping(report, session, QStringLiteral("1MB_single_line"), 0.1);
    }
    {
        EditingSession session;
        session.r1.widget()->show();
        session.r1.setText(QString::fromUtf8(page10MB));
        const qsizetype historyBefore = session.tracker.history().byteSize();
        const qint64 residentBefore = residentBytes();
        const double median10MB = measureTyping(report, session, QStringLiteral("10MB"), 0.1);
        report.add(QStringLiteral("typing_10MB_to_100KB_median_ratio"), median10MB / median100KB, QStringLiteral("x"), 1.5);
        report.add(QStringLiteral("history_1000_chars_10MB"),
                   static_cast<double>(session.tracker.history().byteSize() - historyBefore) / MiB, QStringLiteral("MB"), 2.0);
        report.add(QStringLiteral("rss_growth_1000_chars_10MB"), static_cast<double>(residentBytes() - residentBefore) / MiB,
                   QStringLiteral("MB"));

        session.r1.setSelStart(0);
        session.durations.clear();
        session.type(QStringLiteral("<!--"));
        for (int change = 0; change < session.durations.size(); ++change)
            report.add(QStringLiteral("comment_open_10MB_change%1").arg(change + 1), session.durations.at(change),
                       QStringLiteral("ms"), 2.0);
    }
    return report.finish() ? 0 : 1;
}
