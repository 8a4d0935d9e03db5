// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveBench.h"

#include "BenchReport.h"
#include "Corpus.h"
#include "EditingSession.h"
#include "ProcessMemory.h"
#include "files/DocumentFiles.h"
#include "recovery/DocumentJournal.h"
#include "support/ScriptedHost.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace {

constexpr double MiB = 1024.0 * 1024.0;

void measureSave(BenchReport &report)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page100MB.html"));
    qint64 fileSize = 0;
    {
        const QByteArray page = Corpus::page(10'000'000, false);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        for (int i = 0; i < 10; ++i)
            file.write(page);
        fileSize = file.size();
    }
    EditorControl r1;
    ScriptedHost host;
    QAction save;
    DocumentFiles files(r1, host, save, {[] {}, [](const QString &) {}, [](bool) {}});
    if (!files.openDocument(path))
        qFatal("cannot open %s", qPrintable(path));
    using Encoding = TextFormat::Encoding;
    using LineBreaks = TextFormat::LineBreaks;
    const QList<std::pair<QString, TextFormat>> formats = {
        {QStringLiteral("utf8"), {Encoding::Utf8, false, LineBreaks::CrLf}},
        {QStringLiteral("utf8_bom"), {Encoding::Utf8, true, LineBreaks::CrLf}},
        {QStringLiteral("utf8_lf"), {Encoding::Utf8, false, LineBreaks::Lf}},
        {QStringLiteral("utf16le"), {Encoding::Utf16Le, true, LineBreaks::CrLf}},
        {QStringLiteral("utf16be_lf"), {Encoding::Utf16Be, true, LineBreaks::Lf}},
        {QStringLiteral("windows1252"), {Encoding::Windows1252, false, LineBreaks::CrLf}},
    };
    for (const auto &[name, format] : formats) {
        files.format = format;
        const qint64 before = ProcessMemory::resetPeak();
        if (!files.mnuSave_Click())
            qFatal("the save in %s failed", qPrintable(name));
        const qint64 added = ProcessMemory::statusBytes("VmHWM") - before;
        report.add(QStringLiteral("save_100MB_added_memory_%1").arg(name), static_cast<double>(added) / MiB,
                   QStringLiteral("MB"), 0.5 * static_cast<double>(fileSize) / MiB);
    }
}

void measureJournal(BenchReport &report)
{
    QTemporaryDir folder;
    EditingSession session;
    session.r1.widget()->show();
    session.r1.setText(QString::fromUtf8(Corpus::page(10'000'000, false)));
    session.r1.setSelStart(session.r1.length());
    session.type(QStringLiteral("x"));
    DocumentJournal journal(
        [] {
            JournalRecord record;
            record.caption = QStringLiteral("page10MB.html");
            return std::optional<JournalRecord>(record);
        },
        {[&session] { return session.r1.utf8Length(); },
         [&session](qint64 from, qint64 length) { return session.r1.utf8Piece(from, length); }},
        folder.path());
    // A key typed while the text is copied drops the copy and asks for a write after the delay:
    // only the writes started here count.
    journal.setDelay(3'600'000);
    QElapsedTimer clock;
    qint64 handled = -1;
    int typed = 0;
    QObject::connect(&session.r1, &EditorControl::Change, [&] { handled = clock.nsecsElapsed(); });
    const auto typeKey = [&] {
        handled = -1;
        ++typed;
        clock.start();
        QCoreApplication::postEvent(session.r1.widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, QStringLiteral("y")));
    };
    // The editor's first key typed this way costs it more (10 to 25 ms here) with or without a
    // journal: not counted.
    typeKey();
    while (handled < 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QList<double> waits;
    for (int trial = 0; trial < 10; ++trial) {
        // Half the keys come as the journal's timer fires, while the text is being copied; half
        // 20 ms later, while the worker thread writes.
        QTimer::singleShot(0, &journal, &DocumentJournal::startWrite);
        QTimer::singleShot(trial % 2 == 0 ? 0 : 20, typeKey);
        while (typed < trial + 2 || handled < 0 || journal.writing())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        waits << static_cast<double>(handled) / 1e6;
    }
    report.add(QStringLiteral("journal_key_wait_10MB_median"), BenchReport::median(waits), QStringLiteral("ms"), 16.0);
    report.add(QStringLiteral("journal_key_wait_10MB_max"), BenchReport::percentile(waits, 1.0), QStringLiteral("ms"), 16.0);
}

} // namespace

void SaveBench::measure(BenchReport &report)
{
    measureJournal(report);
    measureSave(report);
}
