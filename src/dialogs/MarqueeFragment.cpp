// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/MarqueeFragment.h"

#include "dialogs/NamedColours.h"

namespace MarqueeFragment {

namespace {

QString sizeAttribute(const QString &name, const QString &value, bool inPercent)
{
    return QStringLiteral(" %1=\"").arg(name) + value + (inPercent ? QStringLiteral("%\"") : QStringLiteral("\""));
}

QString behaviorAttribute(Behavior behavior)
{
    switch (behavior) {
    case Behavior::Scroll:
        return QStringLiteral(" behavior=\"scroll\"");
    case Behavior::Slide:
        return QStringLiteral(" behavior=\"slide\"");
    case Behavior::Alternate:
        break;
    }
    return QStringLiteral(" behavior=\"alternate\"");
}

QString alignAttribute(Align align)
{
    switch (align) {
    case Align::Top:
        return QStringLiteral(" align=\"top\"");
    case Align::Middle:
        return QStringLiteral(" align=\"middle\"");
    case Align::Bottom:
        break;
    }
    return QStringLiteral(" align=\"bottom\"");
}

} // namespace

QString build(const Marquee &marquee)
{
    QString html = QStringLiteral("<marquee");
    html += marquee.scrollLeft ? QStringLiteral(" direction=\"left\"") : QStringLiteral(" direction=\"right\"");
    html += QStringLiteral(" scrolldelay=\"") + marquee.delay + QStringLiteral("\"");
    html += QStringLiteral(" scrollamount=\"") + marquee.amount + QStringLiteral("\"");
    html += behaviorAttribute(marquee.behavior);
    html += alignAttribute(marquee.align);
    if (marquee.specifyWidth)
        html += sizeAttribute(QStringLiteral("width"), marquee.width, marquee.widthInPercent);
    if (marquee.specifyHeight)
        html += sizeAttribute(QStringLiteral("height"), marquee.height, marquee.heightInPercent);
    if (!marquee.continuously)
        html += QStringLiteral(" loop=\"") + marquee.loop + QStringLiteral("\"");
    html += NamedColours::attribute(QStringLiteral("bgcolor"), marquee.colour);
    return html + QStringLiteral(">") + marquee.text + QStringLiteral("</marquee>");
}

} // namespace MarqueeFragment
