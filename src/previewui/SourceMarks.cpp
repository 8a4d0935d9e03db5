// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewui/SourceMarks.h"

#include <algorithm>

namespace {

bool isNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isNameEnd(QChar c)
{
    return isSpace(c) || c == u'/' || c == u'>';
}

bool isOneOf(QStringView name, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(), [name](const char *n) { return name.compare(QLatin1StringView(n), Qt::CaseInsensitive) == 0; });
}

// The browser takes these elements' content as text up to their end tag (noscript as well,
// since previews run scripts); plaintext's runs to the end.
bool isRawText(QStringView name)
{
    return isOneOf(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes", "noscript", "plaintext"});
}

bool isUndrawn(QStringView name)
{
    return isOneOf(name, {"html", "head", "base", "link", "meta", "title", "style", "script", "noscript", "template"});
}

// Where the end tag "</name" of a raw text element starts, at or after from.
qsizetype rawTextEnd(QStringView text, qsizetype from, QStringView name)
{
    if (name.compare(u"plaintext", Qt::CaseInsensitive) == 0)
        return text.size();
    for (qsizetype at = text.indexOf(u"</", from); at >= 0; at = text.indexOf(u"</", at + 2)) {
        const qsizetype after = at + 2 + name.size();
        if (after <= text.size() && text.sliced(at + 2, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
            (after == text.size() || isNameEnd(text.at(after))))
            return at;
    }
    return text.size();
}

} // namespace

qsizetype SourceMarks::tagEnd(QStringView text, qsizetype from)
{
    QChar previous;
    for (qsizetype i = from + 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'>')
            return i + 1;
        if ((c == u'"' || c == u'\'') && previous == u'=') {
            const qsizetype close = text.indexOf(c, i + 1);
            if (close < 0)
                return -1;
            i = close;
            previous = c;
            continue;
        }
        if (!isSpace(c))
            previous = c;
    }
    return -1;
}

SourceMarks SourceMarks::mark(QStringView text)
{
    SourceMarks marks;
    // About one tag in forty units, each mark some twenty units long.
    marks.m_text.reserve(text.size() + text.size() / 2);
    qsizetype copied = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const qsizetype at = text.indexOf(u'<', i);
        if (at < 0)
            break;
        i = at + 1;
        if (i < size && text.at(i) == u'!') {
            // A comment ends at "-->", a doctype or other declaration at ">".
            const bool comment = text.sliced(i).startsWith(u"!--");
            const qsizetype end = comment ? text.indexOf(u"-->", i + 3) : text.indexOf(u'>', i);
            i = end < 0 ? size : end + (comment ? 3 : 1);
            continue;
        }
        const bool closing = i < size && text.at(i) == u'/';
        if (!(closing ? i + 1 < size && isNameStart(text.at(i + 1)) : i < size && isNameStart(text.at(i))))
            continue;
        qsizetype nameEnd = closing ? i + 1 : i;
        while (nameEnd < size && !isNameEnd(text.at(nameEnd)))
            ++nameEnd;
        const qsizetype end = tagEnd(text, at);
        if (end < 0)
            break;
        const QStringView name = text.sliced(closing ? i + 1 : i, nameEnd - (closing ? i + 1 : i));
        i = end;
        if (closing)
            continue;
        if (!isUndrawn(name)) {
            marks.m_text.append(text.sliced(copied, nameEnd - copied));
            marks.m_text.append(u' ');
            marks.m_text.append(attribute);
            marks.m_text.append(u"=\"");
            marks.m_text.append(QString::number(at));
            marks.m_text.append(u'"');
            copied = nameEnd;
            marks.m_offsets.push_back(static_cast<int>(at));
        }
        if (isRawText(name))
            i = rawTextEnd(text, i, name);
    }
    marks.m_text.append(text.sliced(copied));
    return marks;
}

bool SourceMarks::contains(int offset) const
{
    return std::binary_search(m_offsets.cbegin(), m_offsets.cend(), offset);
}
