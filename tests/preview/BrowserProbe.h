// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preview/PreviewBrowser.h"
#include "previewui/PreviewView.h"

#include <QFile>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>
#include <optional>

// Reads what a browser view shows, waiting as long as a cold browser engine may need.
namespace BrowserProbe {

constexpr int timeout = 20000;

// The engine's view inside a view the program's windows hold (PreviewView).
inline PreviewBrowser *browserOf(const QWidget *view)
{
    return view ? view->findChild<PreviewBrowser *>() : nullptr;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A preview file's bytes without the source offsets its start tags carry for the previews.
inline QByteArray pageBytes(const QString &path)
{
    // Latin-1 keeps every byte as it is.
    return QString::fromLatin1(fileBytes(path)).remove(QRegularExpression(QStringLiteral(" data-zv-src=\"[0-9]+\""))).toLatin1();
}

// Brings the main window's Preview tab to the front, as the user's click does, and waits for the
// browser it makes there on first showing; nullptr on a time-out.
inline PreviewBrowser *showPreviewTab(QWidget &mainWindow)
{
    mainWindow.show();
    auto *tabs = mainWindow.findChild<QTabWidget *>(QStringLiteral("maintabs"));
    auto *previewTab = mainWindow.findChild<QWidget *>(QStringLiteral("previewTab"));
    if (!tabs || !previewTab)
        return nullptr;
    tabs->setCurrentWidget(previewTab);
    PreviewBrowser *browser = nullptr;
    const bool made = QTest::qWaitFor(
        [&] { return (browser = browserOf(mainWindow.findChild<QWidget *>(QStringLiteral("qprevbr")))) != nullptr; }, timeout);
    return made ? browser : nullptr;
}

// Waits until view has loaded url; false on a time-out.
inline bool waitShown(QWebEngineView *view, const QUrl &url)
{
    return QTest::qWaitFor([&] { return view->url() == url && !view->page()->isLoading(); }, timeout);
}

// The result of a script run in the view's page, or an invalid QVariant on a time-out.
inline QVariant evaluate(QWebEngineView *view, const QString &script)
{
    // Shared, so a late answer after a time-out writes nowhere harmful.
    auto result = std::make_shared<std::optional<QVariant>>();
    view->page()->runJavaScript(script, [result](const QVariant &value) { *result = value; });
    if (!QTest::qWaitFor([&] { return result->has_value(); }, timeout))
        return {};
    return result->value_or(QVariant());
}

inline QString bodyText(QWebEngineView *view)
{
    return evaluate(view, QStringLiteral("document.body ? document.body.innerText : ''")).toString();
}

} // namespace BrowserProbe
