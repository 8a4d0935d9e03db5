// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The copy of a page a preview loads, with the offset of each start tag in the editor's text
// written into the tag as an attribute (`data-zv-src="<offset>"`, first after the name, so a copy
// the page itself writes later in the tag loses to it). The user's text and the saved file never
// carry it. Start tags are found by one linear scan, as a tokenizer sees them: comments,
// declarations, attribute values and the content of raw text elements hold none. Elements that
// are never drawn (html, head, meta, script, ...) get no mark, which also keeps a `<meta charset>`
// where the engine looks for it.
class SourceMarks
{
public:
    static constexpr QLatin1StringView attribute{"data-zv-src"};

    // The marked copy of text.
    static SourceMarks mark(QStringView text);

    const QString &text() const { return m_text; }
    // The offsets that were marked, ascending.
    const std::vector<int> &offsets() const { return m_offsets; }
    bool contains(int offset) const;

    // Just after the ">" that ends the tag whose "<" is at from, passing over quoted values; -1
    // when text ends first.
    static qsizetype tagEnd(QStringView text, qsizetype from);

private:
    QString m_text;
    std::vector<int> m_offsets;
};
