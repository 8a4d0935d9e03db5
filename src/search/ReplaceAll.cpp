// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ReplaceAll.h"

#include "editor/EditorControl.h"
#include "search/RegexReplacement.h"

namespace ReplaceAll {

QList<int> foldedOccurrences(const QString &text, const QString &needle, bool wholeWord)
{
    QList<int> found;
    if (needle.isEmpty())
        return found;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(needle, from, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(needle, from, Qt::CaseInsensitive)) {
        const qsizetype end = at + needle.size();
        if (wholeWord && !EditorControl::isWholeWordAt(text, at, needle.size())) {
            from = at + 1;
            continue;
        }
        found.append(static_cast<int>(at));
        from = end;
    }
    return found;
}

QString rebuild(const QString &span, int spanStart, const QList<int> &occurrences, int findLength, const QString &replacement)
{
    QString result;
    result.reserve(span.size() + occurrences.size() * (replacement.size() - findLength));
    qsizetype copied = 0;
    for (const int offset : occurrences) {
        const qsizetype at = offset - spanStart;
        result.append(QStringView(span).sliced(copied, at - copied));
        result.append(replacement);
        copied = at + findLength;
    }
    result.append(QStringView(span).sliced(copied));
    return result;
}

qsizetype nextCharacter(QStringView text, qsizetype offset)
{
    if (offset + 1 < text.size()) {
        const QChar c = text.at(offset);
        if ((c == u'\r' && text.at(offset + 1) == u'\n') || (c.isHighSurrogate() && text.at(offset + 1).isLowSurrogate()))
            return offset + 2;
    }
    return offset + 1;
}

RegexReplaced replaceMatches(const QString &text, RegexSearch &search, const RegexReplacement &replacement)
{
    RegexReplaced result;
    qsizetype from = 0;
    while (from <= text.size()) {
        const RegexSearch::Status status = search.find(text, from);
        if (status == RegexSearch::Status::Stopped)
            return {RegexSearch::Status::Stopped, 0, 0, 0, {}};
        if (status == RegexSearch::Status::NotFound)
            break;
        const qsizetype start = search.start();
        const qsizetype end = search.end();
        if (result.count == 0)
            result.first = start;
        else
            result.span.append(QStringView(text).sliced(result.end, start - result.end));
        replacement.appendTo(result.span, text, search);
        result.end = end;
        ++result.count;
        from = end > start ? end : nextCharacter(text, end);
    }
    if (result.count > 0)
        result.status = RegexSearch::Status::Found;
    return result;
}

} // namespace ReplaceAll
