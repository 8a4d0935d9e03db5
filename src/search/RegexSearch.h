// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <chrono>
#include <memory>

class MatchWatchdog;

// A regular expression of the find dialog, made for one command (a click of Find, Replace or
// Replace All): PCRE2 over the document's UTF-16 text, whose offsets are the editor's.
//
// Matches may span lines; "^" and "$" match at the start and end of every line, a line ending in
// CR LF, LF or CR alike, and "." matches no line break. Without matchCase, letters of every script
// match in either case; with wholeWord a match counts only where the editor's whole-word rule
// holds (EditorControl::isWholeWordAt). The command's searches together may run for the time
// budget: a pattern that backtracks beyond it, or beyond PCRE2's match limit at one place, stops
// with a reason instead of freezing the editor.
class RegexSearch
{
public:
    enum class Status { Found, NotFound, Stopped };

    static constexpr std::chrono::milliseconds defaultBudget{1000};

    RegexSearch(const QString &pattern, bool matchCase, bool wholeWord, std::chrono::milliseconds budget = defaultBudget);
    ~RegexSearch();

    RegexSearch(const RegexSearch &) = delete;
    RegexSearch &operator=(const RegexSearch &) = delete;

    // Why the pattern cannot be searched for, with where in it; empty when it can.
    QString error() const;
    // The pattern's capturing groups.
    int captureCount() const;

    // Looks for the first match starting at or after from. With skipEmptyAtStart, an empty match
    // at from does not count (the one found last, not to be found again).
    Status find(const QString &text, qsizetype from, bool skipEmptyAtStart = false);

    // The last match found; group 0 is the whole match. An unset group starts and ends at -1.
    qsizetype start(int group = 0) const;
    qsizetype end(int group = 0) const;
    QStringView captured(QStringView text, int group) const;

    // Why the last search stopped.
    QString stopReason() const;

private:
    struct Compiled;

    Status run(const QString &text, qsizetype from, unsigned options);
    QString outOfTime() const;

    std::unique_ptr<Compiled> m_compiled;
    QString m_error;
    QString m_stopReason;
    std::chrono::milliseconds m_budget;
    std::unique_ptr<MatchWatchdog> m_watchdog;
    // The text whose encoding PCRE2 has checked: later searches of it skip the check, which
    // reads all of it after the start of the search. Holding it keeps its buffer from being
    // reused by another text.
    QString m_checkedText;
};
