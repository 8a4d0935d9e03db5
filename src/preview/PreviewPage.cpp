// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewPage.h"

#include <QWebEngineNewWindowRequest>

PreviewPage::PreviewPage(QObject *parent)
    : QWebEnginePage(parent)
{
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest &request) { load(request.requestedUrl()); });
}

void PreviewPage::javaScriptAlert(const QUrl &, const QString &) {}

bool PreviewPage::javaScriptConfirm(const QUrl &, const QString &)
{
    return true;
}

bool PreviewPage::javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *)
{
    return false;
}
