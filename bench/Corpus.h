// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The benchmark's documents: web pages generated from a fixed seed, so every run and every
// machine measures the same bytes. A page has a doctype, a head with meta, style and script,
// and a body of nested sections, headings, paragraphs with inline markup, lists, tables,
// images, forms and comments; the text is mostly English with a few accented words. Lines end
// in CR LF, or there are none at all in the minified form.
class Corpus
{
public:
    // A page of about bytes UTF-8 bytes (never less).
    static QByteArray page(qsizetype bytes, bool minified);
};
