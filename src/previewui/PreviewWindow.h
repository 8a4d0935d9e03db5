// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextDecoding.h"

#include <QPointer>

#include <functional>

class EditorControl;
class Form2;
class HostServices;
class PageModelBuilder;
class SourceLinkOptions;
class QWidget;

// The preview window Form2, one at a time, owned by the main window: loaded when first shown,
// deleted when closed, shown again with new content while it stays open.
class PreviewWindow
{
public:
    // format tells how the document's file stores its text; report shows a message to the user.
    PreviewWindow(EditorControl &r1, HostServices &host, std::function<TextFormat()> format, QWidget *owner,
                  std::function<void(const QString &)> report);
    PreviewWindow(const PreviewWindow &) = delete;
    PreviewWindow &operator=(const PreviewWindow &) = delete;

    // Writes the editor's text to Temp.html and shows it in Form2. When the file cannot be
    // written the user is told and no window opens or changes.
    void showDocument();
    // While Form2 is open, writes the editor's text to Temp.html and shows it there, leaving the
    // window where it is and the focus where it was; does nothing while Form2 is closed.
    // Form2 keeps the about page until the next preview.
    void refreshDocument();
    // Shows the built-in about page in Form2.
    void showAboutPage();
    // The editor holds another document now: its previews share nothing with the last one's.
    void startDocument();
    // Where the document's file is (empty while untitled): its choice about remote content is
    // remembered by it. Until set, the document counts as untitled.
    void setDocumentPath(std::function<QString()> documentPath) { m_documentPath = std::move(documentPath); }
    bool isOpen() const;
    // Links the window's view to the source from now on (see PreviewView::linkSource).
    void linkSource(PageModelBuilder &model, SourceLinkOptions &options);

private:
    QString documentPath() const;
    // False when the page could not be written; the user has been told.
    // A document's page is linked to its source.
    bool show(const QString &fileName, const QString &text, const TextFormat &format, const QString &failure, bool bringForward,
              bool document);

    EditorControl &m_r1;
    HostServices &m_host;
    std::function<TextFormat()> m_format;
    QWidget *m_owner = nullptr;
    std::function<void(const QString &)> m_report;
    std::function<QString()> m_documentPath;
    QPointer<Form2> m_form2;
    PageModelBuilder *m_model = nullptr;
    SourceLinkOptions *m_linkOptions = nullptr;
    bool m_failed = false;
    bool m_showsDocument = false;
};
