// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextDecoding.h"

#include <QObject>
#include <QPointer>

#include <functional>

class EditorControl;
class HostServices;
class PageModelBuilder;
class PreviewBrowser;
class SourceLink;
class SourceLinkOptions;
class QWidget;

// The quick preview on the Preview tab: the editor's text written to qprev.html in the private
// temp folder and shown in the browser view qprevbr. The view, and with it the browser engine,
// is made by the first refresh, so start-up does not wait for the engine.
class QuickPreview : public QObject
{
    Q_OBJECT

public:
    // format tells how the document's file stores its text; report shows a message to the user.
    QuickPreview(EditorControl &r1, HostServices &host, std::function<TextFormat()> format, QWidget *previewTab,
                 std::function<void(const QString &)> report);

    // Rewrites qprev.html and navigates qprevbr to it. When the file cannot be written the user
    // is told and the view keeps what it shows.
    void RefreshQuickPreview();
    // The editor holds another document now: its previews share nothing with the last one's.
    void startDocument();
    // Links the preview to the source from now on (see SourceLink).
    void linkSource(PageModelBuilder &model, SourceLinkOptions &options);

signals:
    // qprevbr, or a widget inside it, took the focus from a widget outside it.
    void qprevbrGotFocus();

private:
    PreviewBrowser &browser();
    void focusChanged(QWidget *old, QWidget *now);

    EditorControl &m_r1;
    HostServices &m_host;
    std::function<TextFormat()> m_format;
    QWidget *m_previewTab = nullptr;
    std::function<void(const QString &)> m_report;
    QPointer<PreviewBrowser> m_qprevbr;
    PageModelBuilder *m_model = nullptr;
    SourceLinkOptions *m_linkOptions = nullptr;
    QPointer<SourceLink> m_link;
    bool m_failed = false;
};
