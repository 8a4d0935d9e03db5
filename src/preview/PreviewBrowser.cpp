// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewBrowser.h"

#include "preview/PreviewPage.h"

PreviewBrowser::PreviewBrowser(QWidget *parent)
    : QWebEngineView(parent)
{
    setPage(new PreviewPage(this));
}

void PreviewBrowser::showFile(const QString &path)
{
    load(QUrl::fromLocalFile(path));
}
