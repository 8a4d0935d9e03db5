// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The markup of the image, video and plug-in dialogs. Field texts go in as typed: not trimmed,
// not checked to be numbers or addresses, not escaped.
namespace MediaFragments {

// <img src="source">
QString image(const QString &source);

// An image element that plays a video clip when the page opens.
QString video(const QString &source);

struct PlugIn {
    QString source;
    QString message; // shown by browsers without plug-in support
    QString height;
    QString width;
    QString border;
    QString hspace;
    QString vspace;
    bool hidden = false;
};

// An embed element with all seven attributes, empty ones included, followed by its noembed
// fallback message.
QString plugIn(const PlugIn &plugIn);

} // namespace MediaFragments
