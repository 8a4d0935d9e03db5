// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TableFragment.h"

#include <cmath>

std::optional<int> TableFragment::toCount(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < -32768.0 || whole > 32767.0)
        return std::nullopt;
    return static_cast<int>(whole);
}

qint64 TableFragment::cellCount() const
{
    if (rows < 1 || columns < 1)
        return 0;
    return qint64(rows) * columns;
}

QString TableFragment::build() const
{
    const QString crlf = QStringLiteral("\r\n");
    QString code = QStringLiteral("<TABLE WIDTH=") + width;
    if (!height.isEmpty())
        code += QStringLiteral(" HEIGHT=") + height;
    code += QStringLiteral(" BGCOLOR=") + backgroundColour + QStringLiteral("  BORDER=") + borderSize +
            QStringLiteral("  BORDERCOLOR=") + borderColour + QStringLiteral(" CELLSPACING=") + cellSpacing +
            QStringLiteral(" CELLPADDING=") + cellPadding + QStringLiteral(">") + crlf;
    for (int r = 1; r <= rows; ++r) {
        code += QStringLiteral("<TR>") + crlf;
        const QString row = QStringLiteral("<TD> <!-- Row ") + QString::number(r) + QStringLiteral(" - Col ");
        // Each cell's comment closes with "-->": one that never closed would hide the rest of the
        // page in a browser.
        for (int c = 1; c <= columns; ++c)
            code += row + QString::number(c) + QStringLiteral(" //--> </TD>") + crlf;
        code += QStringLiteral("</TR>") + crlf;
    }
    code += QStringLiteral("</TABLE>") + crlf;
    return code;
}
