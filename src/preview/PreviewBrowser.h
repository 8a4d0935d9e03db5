// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEngineView>

// A browser view that shows preview files: links open in the view itself, never in a new
// window, and showing the same file again keeps the reader's place on the page.
class PreviewBrowser : public QWebEngineView
{
    Q_OBJECT

public:
    explicit PreviewBrowser(QWidget *parent = nullptr);

    // Navigates to the file at path. Loading the address the view already shows reloads it, and
    // the engine then puts the reader back where they were on the page.
    void showFile(const QString &path);
};
