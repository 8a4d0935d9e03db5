// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QUrl>

// The addresses the previews show local files under, in place of "file:": http addresses of a
// host that exists nowhere but in PreviewProxy, which serves a file only when the page's
// PreviewRequestFilter let the request through. The proxy serves every one of them as a sandboxed
// document, so a page is an opaque origin and every file it loads is another origin's: the engine
// then keeps a local file's content from the page's scripts as it does a foreign site's (module
// imports, a style sheet's rules, a track's cues, a script's error details, an image's pixels).
// The addresses carry the path's bytes percent-encoded, so any file name works; relative
// references resolve as under "file:".
class LocalAddress
{
public:
    // The address of the local file at path.
    static QUrl url(const QString &path);
    static bool isLocal(const QUrl &url);
    // The file system path a local address names, as bytes; empty when url is none (another
    // scheme, host or port) or names none (a relative or NUL-bearing path).
    static QByteArray localPath(const QUrl &url);
};
