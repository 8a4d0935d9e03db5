// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/RemoteContentBar.h"

#include "preview/PreviewBrowser.h"
#include "preview/RemoteContentChoice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

RemoteContentBar::RemoteContentBar(PreviewBrowser *browser, std::function<QString()> documentPath, QWidget *parent)
    : QWidget(parent)
    , m_browser(browser)
    , m_documentPath(std::move(documentPath))
{
    setObjectName(QStringLiteral("remoteContentBar"));
    setAccessibleName(tr("Remote content"));
    // A band of the window's tooltip colours, as browsers mark a notice above a page.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 4, 2);
    m_label = new QLabel(this);
    m_label->setForegroundRole(QPalette::ToolTipText);
    m_button = new QPushButton(this);
    m_button->setObjectName(QStringLiteral("remoteContentButton"));
    // Clicking it must leave the focus where the user types.
    m_button->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_button);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_button, &QPushButton::clicked, this, &RemoteContentBar::toggle);
    connect(m_browser, &PreviewBrowser::remoteContentChanged, this, &RemoteContentBar::follow);
    follow();
}

void RemoteContentBar::follow()
{
    if (m_browser->remoteContentAllowed()) {
        m_label->setText(tr("Remote content is loaded for this document."));
        m_button->setText(tr("Block remote content"));
    } else {
        m_label->setText(tr("Remote content of this page was blocked."));
        m_button->setText(tr("Load remote content"));
    }
    setVisible(m_browser->hasRemoteContent());
}

void RemoteContentBar::toggle()
{
    RemoteContentChoice::setAllowed(m_documentPath(), !m_browser->remoteContentAllowed());
    emit choiceChanged();
    follow();
}
