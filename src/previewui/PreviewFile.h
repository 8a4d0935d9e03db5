// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextDecoding.h"

#include <QString>

class HostServices;

// A page written for a browser view to show: where it is, or why it could not be written.
struct PreviewFile {
    // The previews show local files under addresses of this origin instead of "file:" (the
    // preview module's proxy serves them; the name is resolved nowhere); a page's "file:"
    // addresses are written so in its copy.
    static constexpr const char *localOrigin = "http://zorvane-local.invalid";

    QString path;
    QString error; // empty when the file was written

    bool ok() const { return error.isEmpty(); }

    // Writes the editor's text afresh into fileName in the user's private temp folder, in the
    // document's encoding, line breaks as given and without a byte-order mark (but for UTF-16,
    // which a browser recognises only by its mark). A text that encoding cannot hold is written
    // as UTF-8, so a preview never fails for a character. The
    // browser reads a page that names no charset as it would read the saved file: the engine
    // recognises UTF-8 and Windows-1252 text by itself.
    // text with its "file:///" addresses in attribute values and style sheet url()s written as
    // the previews' local addresses, which the engine loads where it refuses "file:".
    static QString withLocalAddresses(const QString &text);

    static PreviewFile write(HostServices &host, const QString &fileName, const QString &text, const TextFormat &format);
};
