// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/RegexReplacement.h"

#include "search/RegexSearch.h"

#include <algorithm>

RegexReplacement::RegexReplacement(const QString &text)
{
    QString literal;
    const auto flushLiteral = [&] {
        if (!literal.isEmpty())
            m_pieces.append({std::exchange(literal, QString()), -1});
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 == text.size()) {
            literal.append(c);
            continue;
        }
        const QChar next = text.at(i + 1);
        if (next >= u'0' && next <= u'9') {
            flushLiteral();
            const int group = next.unicode() - u'0';
            m_pieces.append({QString(), group});
            m_highestGroup = std::max(m_highestGroup, group);
            ++i;
        } else if (next == u'n') {
            literal.append(QStringLiteral("\r\n"));
            ++i;
        } else if (next == u'r' && text.mid(i + 2, 2) == QLatin1String("\\n")) {
            literal.append(QStringLiteral("\r\n"));
            i += 3;
        } else if (next == u't') {
            literal.append(u'\t');
            ++i;
        } else if (next == u'\\') {
            literal.append(u'\\');
            ++i;
        } else {
            literal.append(c);
        }
    }
    flushLiteral();
}

int RegexReplacement::highestGroup() const
{
    return m_highestGroup;
}

void RegexReplacement::appendTo(QString &out, const QString &text, const RegexSearch &search) const
{
    for (const Piece &piece : m_pieces) {
        if (piece.group < 0)
            out.append(piece.literal);
        else
            out.append(search.captured(text, piece.group));
    }
}

QString RegexReplacement::expand(const QString &text, const RegexSearch &search) const
{
    QString out;
    appendTo(out, text, search);
    return out;
}
