// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/QuickPreview.h"

#include "editor/EditorControl.h"
#include "preview/PreviewBrowser.h"
#include "preview/PreviewFile.h"
#include "preview/SourceLink.h"
#include "preview/SourceLinkOptions.h"

#include <QApplication>
#include <QVBoxLayout>

QuickPreview::QuickPreview(EditorControl &r1, HostServices &host, std::function<TextFormat()> format, QWidget *previewTab,
                           std::function<void(const QString &)> report)
    : m_r1(r1)
    , m_host(host)
    , m_format(std::move(format))
    , m_previewTab(previewTab)
    , m_report(std::move(report))
{
    connect(qApp, &QApplication::focusChanged, this, &QuickPreview::focusChanged);
}

void QuickPreview::RefreshQuickPreview()
{
    const QString text = m_r1.Text();
    const SourceMarks marks = m_linkOptions && m_linkOptions->needsMarks() ? SourceMarks::mark(text) : SourceMarks();
    const PreviewFile file =
        PreviewFile::write(m_host, QStringLiteral("qprev.html"), marks.offsets().empty() ? text : marks.text(), m_format());
    if (!file.ok()) {
        m_failed = true;
        m_report(QStringLiteral("Could not refresh the preview: ") + file.error);
        return;
    }
    if (m_failed) {
        m_failed = false;
        m_report(QString());
    }
    PreviewBrowser &view = browser();
    if (m_link)
        m_link->showing(marks);
    view.showFile(file.path, text);
}

void QuickPreview::linkSource(PageModelBuilder &model, SourceLinkOptions &options)
{
    m_model = &model;
    m_linkOptions = &options;
    if (m_qprevbr && !m_link)
        m_link = new SourceLink(m_r1, model, options, *m_qprevbr, false);
}

void QuickPreview::startDocument()
{
    if (m_qprevbr)
        m_qprevbr->startDocument();
}

PreviewBrowser &QuickPreview::browser()
{
    if (!m_qprevbr) {
        m_qprevbr = new PreviewBrowser(m_previewTab);
        m_qprevbr->setObjectName(QStringLiteral("qprevbr"));
        m_qprevbr->setAccessibleName(tr("Preview"));
        QLayout *layout = m_previewTab->layout();
        if (!layout)
            layout = new QVBoxLayout(m_previewTab);
        layout->addWidget(m_qprevbr);
        if (m_model)
            m_link = new SourceLink(m_r1, *m_model, *m_linkOptions, *m_qprevbr, false);
    }
    return *m_qprevbr;
}

void QuickPreview::focusChanged(QWidget *old, QWidget *now)
{
    const auto inside = [this](const QWidget *widget) {
        return widget && (widget == m_qprevbr || m_qprevbr->isAncestorOf(widget));
    };
    if (m_qprevbr && inside(now) && !inside(old))
        emit qprevbrGotFocus();
}
