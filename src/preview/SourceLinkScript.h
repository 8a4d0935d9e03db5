// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEngineScript>

// The script that links a preview to its source. It runs in a script world of its own, apart from
// the page's: the page's scripts cannot call it, replace the DOM functions it calls or read its
// variables, and the program talks to it only by running script in that world. Its overlay box
// lives in a closed shadow root, styled inline, so neither the page's styles nor its scripts
// reach into it.
namespace SourceLinkScript {

constexpr quint32 worldId = QWebEngineScript::UserWorld + 1;

// The script, run at the creation of the page's main document.
QWebEngineScript script();

} // namespace SourceLinkScript
