// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewui/PreviewWindow.h"

#include "editor/EditorControl.h"
#include "previewui/AboutPage.h"
#include "previewui/Form2.h"
#include "previewui/PreviewEngine.h"
#include "previewui/PreviewFile.h"
#include "previewui/PreviewView.h"
#include "previewui/SourceLinkOptions.h"
#include "previewui/SourceMarks.h"

PreviewWindow::PreviewWindow(EditorControl &r1, HostServices &host, std::function<TextFormat()> format, QWidget *owner,
                             std::function<void(const QString &)> report)
    : m_r1(r1)
    , m_host(host)
    , m_format(std::move(format))
    , m_owner(owner)
    , m_report(std::move(report))
{
}

void PreviewWindow::showDocument()
{
    if (show(QStringLiteral("Temp.html"), m_r1.Text(), m_format(), QStringLiteral("Could not refresh the preview window: "),
             true, true))
        m_showsDocument = true;
}

void PreviewWindow::refreshDocument()
{
    if (isOpen() && m_showsDocument)
        show(QStringLiteral("Temp.html"), m_r1.Text(), m_format(), QStringLiteral("Could not refresh the preview window: "),
             false, true);
}

void PreviewWindow::showAboutPage()
{
    if (show(QStringLiteral("About.html"), aboutPageHtml(), TextFormat{}, QStringLiteral("Could not show the about page: "),
             true, false))
        m_showsDocument = false;
}

void PreviewWindow::startDocument()
{
    if (m_form2)
        m_form2->w1()->startDocument();
}

QString PreviewWindow::documentPath() const
{
    return m_documentPath ? m_documentPath() : QString();
}

bool PreviewWindow::isOpen() const
{
    return m_form2 && m_form2->isVisible();
}

void PreviewWindow::linkSource(PageModelBuilder &model, SourceLinkOptions &options)
{
    m_model = &model;
    m_linkOptions = &options;
}

bool PreviewWindow::show(const QString &fileName, const QString &text, const TextFormat &format, const QString &failure,
                         bool bringForward, bool document)
{
    const SourceMarks marks =
        document && m_linkOptions && m_linkOptions->needsMarks() ? SourceMarks::mark(text) : SourceMarks();
    const PreviewFile file = PreviewFile::write(m_host, fileName, marks.offsets().empty() ? text : marks.text(), format);
    if (!file.ok()) {
        m_failed = true;
        m_report(failure + file.error);
        return false;
    }
    if (m_failed) {
        m_failed = false;
        m_report(QString());
    }
    if (!m_form2) {
        QString error;
        PreviewView *view = PreviewEngine::createView(nullptr, &error);
        if (!view) {
            m_failed = true;
            m_report(QStringLiteral("Could not start the browser engine: ") + error);
            return false;
        }
        m_form2 = new Form2(m_owner, view);
        if (m_model)
            view->linkSource(m_r1, *m_model, *m_linkOptions, true);
    }
    m_form2->w1()->setDocumentPath(documentPath());
    m_form2->w1()->showMarks(marks);
    m_form2->w1()->showFile(file.path, text);
    if (bringForward) {
        m_form2->show();
        m_form2->raise();
        m_form2->activateWindow();
    }
    return true;
}
