// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/LineFragments.h"

#include "dialogs/NamedColours.h"

namespace LineFragments {

QString lineBreak(BreakClear clear)
{
    switch (clear) {
    case BreakClear::None:
        return QStringLiteral("<br>");
    case BreakClear::Left:
        return QStringLiteral("<br clear=\"left\">");
    case BreakClear::Right:
        return QStringLiteral("<br clear=\"right\">");
    case BreakClear::Both:
        break;
    }
    return QStringLiteral("<br clear=\"all\">");
}

QString horizontalRule(const HorizontalRule &rule)
{
    QString html = QStringLiteral("<hr");
    html += NamedColours::attribute(QStringLiteral("color"), rule.colour);
    html += QStringLiteral(" width=\"") + rule.width + (rule.widthInPercent ? QStringLiteral("%\"") : QStringLiteral("\""));
    html += QStringLiteral(" size=\"") + rule.height + QStringLiteral("\"");
    switch (rule.align) {
    case RuleAlign::Left:
        html += QStringLiteral(" align=\"left\"");
        break;
    case RuleAlign::Center:
        html += QStringLiteral(" align=\"center\"");
        break;
    case RuleAlign::Right:
        html += QStringLiteral(" align=\"right\"");
        break;
    }
    if (rule.solid)
        html += QStringLiteral(" noshade");
    return html + QStringLiteral(">");
}

} // namespace LineFragments
