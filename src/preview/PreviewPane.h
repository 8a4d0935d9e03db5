// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "previewui/PreviewView.h"

class PreviewBrowser;
class RemoteContentBar;
class SourceLink;

// The preview module's view: a PreviewBrowser filling the pane, under a RemoteContentBar while
// its page asks for remote content.
class PreviewPane : public PreviewView
{
    Q_OBJECT

public:
    explicit PreviewPane(QWidget *parent = nullptr);

    PreviewBrowser *browser() const { return m_browser; }

    void showFile(const QString &path, const QString &text) override;
    void showStartPage() override;
    void startDocument() override;
    void setDocumentPath(const QString &path) override;
    void linkSource(EditorControl &r1, PageModelBuilder &model, SourceLinkOptions &options, bool scrolls) override;
    void showMarks(const SourceMarks &marks) override;

    RemoteContentBar *remoteContentBar() const { return m_bar; }

private:
    // Applies the document's choice about remote content to the browser.
    void applyChoice();

    PreviewBrowser *m_browser = nullptr;
    RemoteContentBar *m_bar = nullptr;
    QString m_documentPath;
    QString m_path;
    QString m_text;
    SourceLink *m_link = nullptr;
};
