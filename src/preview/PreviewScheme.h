// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QUrl>

// The address scheme the previews serve local files under, in place of "file:". Every address
// of it is an origin of its own to the engine (as a sandboxed frame's is), so a module import or
// a track's cues of a local file are another origin's and refused by the engine itself. Qt 6.4
// still marks every response of an application's scheme as the page's own origin, so a style
// sheet's rules, a canvas of a local image and the details of a local script's error remain
// readable; what keeps them in is that a local page reaches no network unless the user allows
// remote content, and then only files in the page's own folder are served (docs/design.md).
// The addresses carry the path's bytes percent-encoded, so any file name works; relative
// references resolve as under "file:".
class PreviewScheme
{
public:
    static const QByteArray name;

    // Tells the engine about the scheme; a no-op after the first call. It must run before the
    // engine starts, that is before the first QWebEngine object is made.
    static void registerScheme();

    // The address of the local file at path.
    static QUrl url(const QString &path);
    static bool isLocal(const QUrl &url);
    // The file system path an address of the scheme names, as bytes; empty when it names none
    // (another scheme, another host, a relative or NUL-bearing path).
    static QByteArray localPath(const QUrl &url);
};
