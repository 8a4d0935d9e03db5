// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ReplaceAll.h"

#include "editor/EditorControl.h"

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

} // namespace ReplaceAll
