// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PageModel.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Builds the page model of a text with gumbo, an HTML5 parser that keeps every element's place
// in the source, and checks the page: the parser's own errors, then duplicate ids, images
// without alt or src, unknown and obsolete elements and attributes, and local files that are
// not there. A pure function of its inputs, run on a worker thread.
class PageParser
{
public:
    // Deeper nesting than this is not parsed: the parser's time grows with the square of the
    // depth (seconds at tens of thousands), and no real page comes near it.
    static constexpr int MaximumDepth = 4096;
    // The parser records at most this many of its own errors; later ones are dropped.
    static constexpr int MaximumParserErrors = 500;
    // A larger page is not parsed: the parser's tree takes about 13 bytes per byte of the page,
    // and copying the text off the document would stall typing.
    static constexpr qsizetype MaximumSize = 24 * 1024 * 1024;

    struct Input {
        QByteArray text; // UTF-8
        // The page is over MaximumSize (in UTF-16 units); text is then left empty.
        bool tooLarge = false;
        quint64 revision = 0;
        // The page's folder, for its local references; empty for a page not saved yet.
        QString pageFolder;
        // Whether a file exists; asked only for the local references.
        std::function<bool(const QString &path)> fileExists;
    };

    static PageModel parse(const Input &input);

    // The deepest nesting of elements that need an end tag, found by a quick scan of the tags
    // (comments and raw text skipped); stops counting at limit.
    static int estimatedDepth(const QByteArray &text, int limit);
};
