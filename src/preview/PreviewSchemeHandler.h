// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEngineUrlSchemeHandler>

// Serves the local files of PreviewScheme's addresses to a preview profile. Addresses come from
// pages, so every path is hostile: only a regular file is served (it is looked at before it is
// opened and again once open, and opened without waiting, so a pipe or a device never holds up
// the window), of at most maxBytes; anything else fails as a missing file does. The file is read
// as the engine asks for it, never whole.
class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    static constexpr qint64 maxBytes = qint64(1) << 30;

    explicit PreviewSchemeHandler(QObject *parent);

    void requestStarted(QWebEngineUrlRequestJob *job) override;
};
