// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewPane.h"

#include "preview/PreviewBrowser.h"
#include "preview/RemoteContentBar.h"
#include "preview/RemoteContentChoice.h"
#include "preview/SourceLink.h"

#include <QVBoxLayout>

PreviewPane::PreviewPane(QWidget *parent)
    : PreviewView(parent)
    , m_browser(new PreviewBrowser(this))
{
    m_browser->setObjectName(QStringLiteral("browser"));
    // The browser is what takes the focus, so a screen reader names it.
    m_browser->setAccessibleName(tr("Preview"));
    m_bar = new RemoteContentBar(
        m_browser, [this] { return m_documentPath; }, this);
    // The user changed the document's choice: the page is shown again under it.
    connect(m_bar, &RemoteContentBar::choiceChanged, this, [this] {
        applyChoice();
        if (!m_path.isEmpty())
            m_browser->showFile(m_path, m_text);
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_browser);
    setFocusProxy(m_browser);
}

void PreviewPane::showFile(const QString &path, const QString &text)
{
    m_path = path;
    m_text = text;
    applyChoice();
    m_browser->showFile(path, text);
}

void PreviewPane::setDocumentPath(const QString &path)
{
    m_documentPath = path;
}

void PreviewPane::applyChoice()
{
    m_browser->setRemoteContentAllowed(RemoteContentChoice::isAllowed(m_documentPath));
}

void PreviewPane::showStartPage()
{
    m_browser->load(QUrl(QStringLiteral("about:blank")));
}

void PreviewPane::startDocument()
{
    RemoteContentChoice::startDocument();
    m_browser->startDocument();
}

void PreviewPane::linkSource(EditorControl &r1, PageModelBuilder &model, SourceLinkOptions &options, bool scrolls)
{
    if (!m_link)
        m_link = new SourceLink(r1, model, options, *m_browser, scrolls);
}

void PreviewPane::showMarks(const SourceMarks &marks)
{
    if (m_link)
        m_link->showing(marks);
}

// What PreviewEngine looks up once the module is loaded.
extern "C" Q_DECL_EXPORT PreviewView *zorvane_create_preview_view(QWidget *parent)
{
    return new PreviewPane(parent);
}
