// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class EditorControl;
class PageModelBuilder;
class SourceLinkOptions;
class SourceMarks;

// A browser view as the program's windows see it. The browser engine lives in the preview module,
// loaded the first time a view is made (PreviewEngine), so nothing of it is in this interface.
class PreviewView : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Navigates to the file at path, which holds text. Showing the file the view already shows
    // reloads it and keeps the reader's place on the page.
    virtual void showFile(const QString &path, const QString &text) = 0;
    // Shows an empty page.
    virtual void showStartPage() = 0;
    // The next file shown belongs to another document.
    virtual void startDocument() = 0;
    // The document the files shown belong to: its file's path, empty while it is untitled. The
    // view remembers the user's choices about a document's pages (remote content) by it.
    virtual void setDocumentPath(const QString &path) = 0;
    // Links the view to r1's source from now on: the element at the caret outlined, Ctrl+click
    // finding the source, and with scrolls the view following the editor's scrolling.
    virtual void linkSource(EditorControl &r1, PageModelBuilder &model, SourceLinkOptions &options, bool scrolls) = 0;
    // The next file shown is a copy of the text marked so (an empty SourceMarks: not the
    // document, or not marked).
    virtual void showMarks(const SourceMarks &marks) = 0;
};
