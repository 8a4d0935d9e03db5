// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "previewui/PreviewView.h"

class PreviewBrowser;
class SourceLink;

// The preview module's view: a PreviewBrowser filling the pane.
class PreviewPane : public PreviewView
{
    Q_OBJECT

public:
    explicit PreviewPane(QWidget *parent = nullptr);

    PreviewBrowser *browser() const { return m_browser; }

    void showFile(const QString &path, const QString &text) override;
    void showStartPage() override;
    void startDocument() override;
    void linkSource(EditorControl &r1, PageModelBuilder &model, SourceLinkOptions &options, bool scrolls) override;
    void showMarks(const SourceMarks &marks) override;

private:
    PreviewBrowser *m_browser = nullptr;
    SourceLink *m_link = nullptr;
};
