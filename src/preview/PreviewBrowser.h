// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEngineView>

class PreviewPage;

// A browser view that shows preview files in a PreviewPage: links open in the view itself,
// never in a new window, and showing the same file again keeps the reader's place on the page.
// It tells its page when the user clicks or types in it, so the page can tell the user's
// navigations from a script's.
class PreviewBrowser : public QWebEngineView
{
    Q_OBJECT

public:
    explicit PreviewBrowser(QWidget *parent = nullptr);

    // Navigates to the file at path, which holds text. Loading the address the view already shows
    // reloads it, and the engine then puts the reader back where they were on the page.
    void showFile(const QString &path, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    PreviewPage *m_page = nullptr;
};
