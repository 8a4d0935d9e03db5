// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A fault or doubtful spot of the page, at a range of the text the model was built from.
struct PageProblem {
    enum class Severity { Error, Warning };

    int offset = 0; // UTF-16 units
    int length = 0;
    int line = 1;   // 1-based
    int column = 1; // 1-based, in UTF-16 units
    Severity severity = Severity::Error;
    QString message;

    // The text of a row of the problems list: "6:1  Stray end tag </span>".
    QString text() const { return QStringLiteral("%1:%2  %3").arg(line).arg(column).arg(message); }
};
