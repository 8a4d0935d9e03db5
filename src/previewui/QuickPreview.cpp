// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewui/QuickPreview.h"

#include "editor/EditorControl.h"
#include "previewui/PreviewEngine.h"
#include "previewui/PreviewFile.h"
#include "previewui/PreviewView.h"
#include "previewui/SourceLinkOptions.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// How often a view waiting for the mouse looks again.
constexpr int mouseWaitMs = 50;

} // namespace

QuickPreview::QuickPreview(EditorControl &r1, HostServices &host, std::function<TextFormat()> format, QWidget *previewTab,
                           std::function<void(const QString &)> report)
    : m_r1(r1)
    , m_host(host)
    , m_format(std::move(format))
    , m_previewTab(previewTab)
    , m_report(std::move(report))
{
    connect(qApp, &QApplication::focusChanged, this, &QuickPreview::focusChanged);
    m_previewTab->installEventFilter(this);
}

void QuickPreview::RefreshQuickPreview()
{
    const QString text = m_r1.Text();
    SourceMarks marks = m_linkOptions && m_linkOptions->needsMarks() ? SourceMarks::mark(text) : SourceMarks();
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
    m_path = file.path;
    m_text = text;
    m_marks = std::move(marks);
    if (m_qprevbr)
        show();
    else if (m_previewTab->isVisible())
        makeViewWhenIdle();
}

void QuickPreview::show()
{
    m_qprevbr->setDocumentPath(m_documentPath ? m_documentPath() : QString());
    m_qprevbr->showMarks(m_marks);
    m_qprevbr->showFile(m_path, m_text);
}

void QuickPreview::linkSource(PageModelBuilder &model, SourceLinkOptions &options)
{
    m_model = &model;
    m_linkOptions = &options;
    if (m_qprevbr)
        m_qprevbr->linkSource(m_r1, model, options, false);
}

void QuickPreview::startDocument()
{
    if (m_qprevbr)
        m_qprevbr->startDocument();
}

bool QuickPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_previewTab && event->type() == QEvent::Show && !m_qprevbr && !m_path.isEmpty())
        makeViewWhenIdle();
    return QObject::eventFilter(watched, event);
}

void QuickPreview::makeViewWhenIdle(int delayMs)
{
    if (m_viewPending)
        return;
    m_viewPending = true;
    QTimer::singleShot(delayMs, this, [this] {
        m_viewPending = false;
        if (m_qprevbr || !m_previewTab->isVisible())
            return;
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            makeViewWhenIdle(mouseWaitMs);
        else
            makeView();
    });
}

void QuickPreview::makeView()
{
    QString error;
    PreviewView *view = PreviewEngine::createView(m_previewTab, &error);
    if (!view) {
        m_failed = true;
        m_report(QStringLiteral("Could not start the browser engine: ") + error);
        return;
    }
    m_qprevbr = view;
    m_qprevbr->setObjectName(QStringLiteral("qprevbr"));
    m_qprevbr->setAccessibleName(tr("Preview"));
    QLayout *layout = m_previewTab->layout();
    if (!layout)
        layout = new QVBoxLayout(m_previewTab);
    layout->addWidget(m_qprevbr);
    if (m_model)
        m_qprevbr->linkSource(m_r1, *m_model, *m_linkOptions, false);
    show();
}

void QuickPreview::focusChanged(QWidget *old, QWidget *now)
{
    const auto inside = [this](const QWidget *widget) {
        return widget && (widget == m_qprevbr || m_qprevbr->isAncestorOf(widget));
    };
    if (m_qprevbr && inside(now) && !inside(old))
        emit qprevbrGotFocus();
}
