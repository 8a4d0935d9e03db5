// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewui/LivePreview.h"

#include "editor/EditorControl.h"

LivePreview::LivePreview(EditorControl &r1, std::function<void()> refresh, QObject *parent)
    : QObject(parent)
    , m_refresh(std::move(refresh))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_refresh(); });
    connect(&r1, &EditorControl::Change, this, &LivePreview::textChanged);
}

void LivePreview::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled)
        m_timer.stop();
}

void LivePreview::textChanged()
{
    if (m_enabled)
        m_timer.start();
}
