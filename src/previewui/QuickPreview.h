// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "previewui/SourceMarks.h"
#include "text/TextDecoding.h"

#include <QObject>
#include <QPointer>

#include <functional>

class EditorControl;
class HostServices;
class PageModelBuilder;
class SourceLinkOptions;
class PreviewView;
class QWidget;

// The quick preview on the Preview tab: the editor's text written to qprev.html in the private
// temp folder and shown in the browser view qprevbr. The view, and with it the browser engine,
// is made when the tab is first shown: until then a refresh only writes the file, and the view
// starts with the newest one. It is made once no mouse button is down, since adding the first
// view makes the main window anew, and a button released meanwhile would be lost.
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
    // Where the document's file is (empty while untitled): the preview remembers the user's
    // choices about its pages by it. Until set, the document counts as untitled.
    void setDocumentPath(std::function<QString()> documentPath) { m_documentPath = std::move(documentPath); }
    // Links the preview to the source from now on (see PreviewView::linkSource).
    void linkSource(PageModelBuilder &model, SourceLinkOptions &options);

signals:
    // qprevbr, or a widget inside it, took the focus from a widget outside it.
    void qprevbrGotFocus();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void makeViewWhenIdle(int delayMs = 0);
    void makeView();
    // Shows the file last written in qprevbr.
    void show();
    void focusChanged(QWidget *old, QWidget *now);

    EditorControl &m_r1;
    HostServices &m_host;
    std::function<TextFormat()> m_format;
    QWidget *m_previewTab = nullptr;
    std::function<void(const QString &)> m_report;
    std::function<QString()> m_documentPath;
    QPointer<PreviewView> m_qprevbr;
    // The file last written, for a view made after it.
    QString m_path;
    QString m_text;
    bool m_viewPending = false;
    PageModelBuilder *m_model = nullptr;
    SourceLinkOptions *m_linkOptions = nullptr;
    // The offsets the file last written was marked with.
    SourceMarks m_marks;
    bool m_failed = false;
};
