// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewLinkBench.h"

#include "BenchReport.h"
#include "CpuClock.h"
#include "editor/EditorControl.h"
#include "model/PageModelBuilder.h"
#include "preview/PreviewBrowser.h"
#include "preview/PreviewPane.h"
#include "preview/SourceLinkScript.h"
#include "previewui/SourceLinkOptions.h"
#include "previewui/SourceMarks.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// The offset the preview's script has outlined, or an invalid QVariant when the page does not
// answer within a minute.
QVariant outlined(PreviewBrowser &view)
{
    auto answer = std::make_shared<std::optional<QVariant>>();
    view.page()->runJavaScript(QStringLiteral("sourceLink.state().offset"), SourceLinkScript::worldId,
                               [answer](const QVariant &value) { *answer = value; });
    if (!QTest::qWaitFor([&] { return answer->has_value(); }, 60000))
        return {};
    return answer->value_or(QVariant());
}

} // namespace

void PreviewLinkBench::measure(BenchReport &report, const QByteArray &page1MB)
{
    const QString text = QString::fromUtf8(page1MB);
    QList<double> runs;
    SourceMarks marks;
    for (int run = 0; run < 5; ++run) {
        const double start = CpuClock::thread();
        marks = SourceMarks::mark(text);
        runs.append(CpuClock::thread() - start);
        if (marks.offsets().empty())
            qFatal("the page has no start tags");
    }
    report.add(QStringLiteral("preview_marks_1MB"), BenchReport::median(runs), QStringLiteral("ms"), 50.0);

    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("page.html")));
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(marks.text().toUtf8()) < 0)
        qFatal("the page cannot be written");
    file.close();

    EditorControl r1;
    r1.widget()->resize(800, 600);
    r1.widget()->show();
    r1.setText(text);
    PageModelBuilder builder(r1);
    QSignalSpy built(&builder, &PageModelBuilder::modelChanged);
    builder.rebuildNow();
    while (!builder.isCurrent())
        built.wait(60000);
    SourceLinkOptions options;
    if (!options.isOn(SourceLinkOptions::Outline))
        qFatal("the outline is switched off in this account's settings");
    PreviewPane pane;
    pane.resize(800, 600);
    pane.show();
    pane.linkSource(r1, builder, options, true);
    pane.showMarks(marks);
    PreviewBrowser &view = *pane.browser();
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    pane.showFile(file.fileName(), text);
    if (!loaded.wait(60000))
        qFatal("the page did not load");

    // A refresh of the page, as the user waits for it: until the engine has loaded it.
    runs.clear();
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer wall;
        wall.start();
        pane.showFile(file.fileName(), text);
        if (!loaded.wait(60000))
            qFatal("the page did not load again");
        runs.append(static_cast<double>(wall.elapsed()));
    }
    report.add(QStringLiteral("preview_show_1MB_median"), BenchReport::median(runs), QStringLiteral("ms"));

    runs.clear();
    int last = outlined(view).toInt();
    for (int place = 1; place <= 10; ++place) {
        const int paragraph = r1.Find(QStringLiteral("<p>"), r1.length() * place / 11, -1, EditorControl::NoHighlight);
        QElapsedTimer wall;
        wall.start();
        r1.setSelStart(paragraph + 3);
        int now = last;
        while (now == last && wall.elapsed() < 60000)
            now = outlined(view).toInt();
        last = now;
        runs.append(static_cast<double>(wall.elapsed()));
    }
    report.add(QStringLiteral("preview_outline_1MB_median"), BenchReport::median(runs), QStringLiteral("ms"), 100.0);
    report.add(QStringLiteral("preview_outline_1MB_max"), *std::max_element(runs.cbegin(), runs.cend()), QStringLiteral("ms"));
}
