// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowBench.h"

#include "BenchReport.h"
#include "CpuClock.h"
#include "ProcessMemory.h"
#include "app/frmMainWin.h"
#include "files/DocumentFiles.h"
#include "editor/EditorControl.h"
#include "host/QtHostServices.h"

#include <QAbstractEventDispatcher>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using ProcessMemory::resetPeak;
using ProcessMemory::statusBytes;

namespace {

constexpr double MiB = 1024.0 * 1024.0;

// Runs the event loop until nothing is left to do now (timers due later do not count).
void settle()
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    do
        QCoreApplication::sendPostedEvents();
    while (dispatcher->processEvents(QEventLoop::AllEvents));
}

QWidget *editorViewport(EditorControl &editor)
{
    auto *area = qobject_cast<QAbstractScrollArea *>(editor.widget());
    return area ? area->viewport() : editor.widget();
}

void print(const QString &name, double value)
{
    QTextStream(stdout) << "figure " << name << ' ' << QString::number(value, 'g', 8) << Qt::endl;
}

// The main window as the program starts it, showing nothing but the untitled document.
class Window
{
public:
    Window()
        : m_window(m_host)
    {
        m_host.setMainWindow(&m_window);
        m_window.Form_Load();
        m_window.show();
        settle();
    }

    EditorControl &r1() { return m_window.r1(); }

    // Opens path and waits until the page is shown, coloured and the program is idle.
    void open(const QString &path)
    {
        if (!m_window.files().openDocument(path))
            qFatal("cannot open %s", qPrintable(path));
        settle();
        editorViewport(r1())->repaint();
        settle();
        if (r1().colourAt(r1().length() - 1) == EditorControl::Colour::Plain)
            qFatal("the page was not coloured to its end");
    }

    // One key press and release, then the repaint the user waits for.
    void type(char key)
    {
        QTest::keyClick(r1().widget(), key);
        QCoreApplication::sendPostedEvents();
        editorViewport(r1())->repaint();
        settle();
    }

private:
    QtHostServices m_host;
    frmMainWin m_window;
};

int openCase(const QString &path)
{
    Window window;
    const qint64 baseline = resetPeak();
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = CpuClock::process();
    window.open(path);
    const double cpu = CpuClock::process() - cpuStart;
    print(QStringLiteral("open_cpu"), cpu);
    print(QStringLiteral("open_wall"), static_cast<double>(wall.nsecsElapsed()) / 1e6);
    print(QStringLiteral("document_peak"), static_cast<double>(statusBytes("VmHWM") - baseline) / MiB);
    print(QStringLiteral("process_peak"), static_cast<double>(statusBytes("VmHWM")) / MiB);
    return 0;
}

int keysCase(const QString &path, bool atEnd)
{
    Window window;
    window.open(path);
    window.r1().widget()->setFocus();
    window.r1().setSelStart(atEnd ? window.r1().length() : 0);
    settle();
    // The first keys after opening build caches every later key uses.
    constexpr int warmUp = 2;
    constexpr int maxKeys = 40;
    constexpr int minKeys = 10;
    constexpr double cpuLimit = 8000;
    double spent = 0;
    for (int key = 0; key < warmUp + maxKeys && (key < warmUp + minKeys || spent < cpuLimit); ++key) {
        const double start = CpuClock::thread();
        window.type(static_cast<char>('a' + key % 26));
        const double cost = CpuClock::thread() - start;
        if (key >= warmUp) {
            print(QStringLiteral("key"), cost);
            spent += cost;
        }
    }
    return 0;
}

// Runs one case in a child process; its figures by name, several values for a name in order.
QMultiHash<QString, double> runChild(const QString &program, const QStringList &arguments, const QString &home)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The window must not read or write the user's own settings and caches.
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"})
        environment.insert(QString::fromLatin1(variable), home);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, QStringList{QStringLiteral("--window-case")} + arguments);
    if (!child.waitForFinished(600'000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        qFatal("window case %s failed", qPrintable(arguments.join(u' ')));
    QMultiHash<QString, double> figures;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3 && fields.at(0) == "figure")
            figures.insert(QString::fromUtf8(fields.at(1)), fields.at(2).toDouble());
    }
    return figures;
}

QString writePage(const QTemporaryDir &folder, const QString &name, const QByteArray &page)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Keys at one place of a page; returns the median.
double measureKeys(BenchReport &report, const QString &program, const QString &home, const QString &path, const QString &name,
                   const QString &where, std::optional<double> budget)
{
    const QList<double> keys = runChild(program, {QStringLiteral("keys"), path, where}, home).values(QStringLiteral("key"));
    const double median = BenchReport::median(keys);
    report.add(QStringLiteral("window_key_%1_median").arg(name), median, QStringLiteral("ms"), budget);
    report.add(QStringLiteral("window_key_%1_p99").arg(name), BenchReport::percentile(keys, 0.99), QStringLiteral("ms"));
    return median;
}

// The bytes of the page's longest line, line break excluded.
qsizetype longestLine(const QByteArray &page)
{
    qsizetype longest = 0;
    for (qsizetype start = 0; start < page.size();) {
        qsizetype end = page.indexOf('\n', start);
        if (end < 0)
            end = page.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

// What opening a page may add at its peak: three bytes per byte of the file (the text and one
// style byte per character, one piece of the file and its decoding while it is read), and for
// the longest line, which Scintilla lays out whole once it is shown, eleven bytes per byte: its
// layout (a float position, the character and its style: 6) and the position cache's copies of
// the pieces measured (a float and the byte: at most 5). See docs/design.md.
double openMemoryBudget(const QByteArray &page)
{
    return (3.0 * static_cast<double>(page.size()) + 11.0 * static_cast<double>(longestLine(page))) / MiB;
}

// Opens a page three times, each in a fresh process; medians of the three.
void measureOpen(BenchReport &report, const QString &program, const QString &home, const QString &path, const QByteArray &page,
                 const QString &name, double cpuBudget)
{
    QList<double> cpu;
    QList<double> wall;
    QList<double> memory;
    double processPeak = 0;
    for (int run = 0; run < 3; ++run) {
        const QMultiHash<QString, double> figures = runChild(program, {QStringLiteral("open"), path}, home);
        cpu.append(figures.value(QStringLiteral("open_cpu")));
        wall.append(figures.value(QStringLiteral("open_wall")));
        memory.append(figures.value(QStringLiteral("document_peak")));
        processPeak = std::max(processPeak, figures.value(QStringLiteral("process_peak")));
    }
    report.add(QStringLiteral("window_open_%1_cpu").arg(name), BenchReport::median(cpu), QStringLiteral("ms"), cpuBudget);
    report.add(QStringLiteral("window_open_%1_wall").arg(name), BenchReport::median(wall), QStringLiteral("ms"));
    report.add(QStringLiteral("window_open_%1_document_memory").arg(name), BenchReport::median(memory), QStringLiteral("MB"),
               openMemoryBudget(page));
    report.add(QStringLiteral("window_open_%1_process_peak").arg(name), processPeak, QStringLiteral("MB"));
}

} // namespace

void WindowBench::measure(BenchReport &report, const QString &program, const QByteArray &page100KB, const QByteArray &page10MB,
                          const QByteArray &page1MBSingleLine)
{
    QTemporaryDir folder;
    const QString home = folder.filePath(QStringLiteral("home"));
    if (!QDir().mkpath(home) || !QFile::setPermissions(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        qFatal("cannot make %s", qPrintable(home));
    const QString path100KB = writePage(folder, QStringLiteral("page100KB.html"), page100KB);
    const QString path10MB = writePage(folder, QStringLiteral("page10MB.html"), page10MB);
    const QString pathSingleLine = writePage(folder, QStringLiteral("page1MB_single_line.html"), page1MBSingleLine);

    // Half a second of CPU for either page; on the single line most of it is the layout of the
    // whole line, which Scintilla makes before painting any of it (docs/design.md).
    measureOpen(report, program, home, path10MB, page10MB, QStringLiteral("10MB"), 500);
    measureOpen(report, program, home, pathSingleLine, page1MBSingleLine, QStringLiteral("1MB_single_line"), 500);

    const QString end = QStringLiteral("end");
    const double at100KB = measureKeys(report, program, home, path100KB, QStringLiteral("100KB_end"), end, 16.0);
    const double at10MB = measureKeys(report, program, home, path10MB, QStringLiteral("10MB_end"), end, 8.0);
    measureKeys(report, program, home, path10MB, QStringLiteral("10MB_top"), QStringLiteral("top"), 8.0);
    measureKeys(report, program, home, pathSingleLine, QStringLiteral("1MB_single_line_end"), end, 16.0);
    report.add(QStringLiteral("window_key_10MB_end_to_100KB_end_ratio"), at10MB / at100KB, QStringLiteral("x"), 1.5);
}

int WindowBench::runCase(const QStringList &arguments)
{
    if (arguments.size() == 2 && arguments.at(0) == QStringLiteral("open"))
        return openCase(arguments.at(1));
    if (arguments.size() == 3 && arguments.at(0) == QStringLiteral("keys"))
        return keysCase(arguments.at(1), arguments.at(2) == QStringLiteral("end"));
    QTextStream(stderr) << "usage: zorvane_bench --window-case open FILE | keys FILE end|top" << Qt::endl;
    return 2;
}
