// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QUrl>

// The address scheme the previews serve local files under, in place of "file:". Every address
// of it is an origin of its own to the engine (as a sandboxed frame's is), so a page shown from
// it can display the local files it references but read none of them: a module import, a style
// sheet's rules, a track's cues, a canvas of a local image, the details of a local script's error
// are all another origin's and refused by the engine itself. The addresses carry the path's bytes
// percent-encoded, so any file name works; relative references resolve as under "file:".
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
