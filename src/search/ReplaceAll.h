// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

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

} // namespace ReplaceAll
