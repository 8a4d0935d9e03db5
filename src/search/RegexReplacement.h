// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class RegexSearch;

// The replacement text of a regular-expression replace: "\0" is the whole match, "\1" to "\9"
// its groups (an unset group is empty), "\n" and "\r\n" a line break (CR LF, as the document's
// lines end), "\t" a tab and "\\" a backslash. Any other backslash stays as it is written.
class RegexReplacement
{
public:
    explicit RegexReplacement(const QString &text);

    // The highest group the replacement refers to; 0 when it uses none.
    int highestGroup() const;

    // Appends the replacement of the match search found last in text.
    void appendTo(QString &out, const QString &text, const RegexSearch &search) const;
    QString expand(const QString &text, const RegexSearch &search) const;

private:
    // A piece is either literal text or a group (group >= 0).
    struct Piece {
        QString literal;
        int group = -1;
    };
    QList<Piece> m_pieces;
    int m_highestGroup = 0;
};
