// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/RegexSearch.h"

#include <QList>
#include <QString>

class RegexReplacement;

// The in-memory half of Replace All: the occurrences are located first, then the text between
// the first and the last of them is rebuilt and written back in one piece, so the whole
// replacement is a single change of the document.
namespace ReplaceAll {

// The offsets of needle in text, each search starting just after the previous occurrence,
// matched as the editor matches a text it folds itself: case-insensitively by Unicode case
// folding and, with wholeWord, only where neither neighbour is a letter, a digit or "_".
QList<int> foldedOccurrences(const QString &text, const QString &needle, bool wholeWord);

// span (the text from offset spanStart) with the findLength characters at each of the
// ascending, non-overlapping offsets replaced by replacement.
QString rebuild(const QString &span, int spanStart, const QList<int> &occurrences, int findLength, const QString &replacement);

// What replacing every match of a regular expression gives: the span of the text from the first
// match to the end of the last, rebuilt with each match replaced.
struct RegexReplaced {
    // Found when something was replaced; Stopped, with nothing to write, when the search stopped.
    RegexSearch::Status status = RegexSearch::Status::NotFound;
    int count = 0;
    qsizetype first = 0;
    qsizetype end = 0;
    QString span;
};

// Replaces every match of search in text. Each search starts where the previous match ended, so
// a replacement is never searched again; after an empty match it starts one character further
// (a CR LF or a surrogate pair being one), so an empty match is never found twice.
RegexReplaced replaceMatches(const QString &text, RegexSearch &search, const RegexReplacement &replacement);

// The offset one character after offset: a CR LF line break and a surrogate pair are one.
qsizetype nextCharacter(QStringView text, qsizetype offset);

} // namespace ReplaceAll
