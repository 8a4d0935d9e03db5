// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/MediaFragments.h"

namespace MediaFragments {

QString image(const QString &source)
{
    return QStringLiteral("<img src=\"") + source + QStringLiteral("\">");
}

QString video(const QString &source)
{
    return QStringLiteral("<img dynsrc=\"") + source + QStringLiteral("\" start=\"fileopen\">");
}

QString plugIn(const PlugIn &plugIn)
{
    // Width before height, although the dialog shows the height first.
    QString html = QStringLiteral("<embed width=\"") + plugIn.width;
    html += QStringLiteral("\" height=\"") + plugIn.height;
    html += QStringLiteral("\" src=\"") + plugIn.source;
    html += QStringLiteral("\" border=\"") + plugIn.border;
    html += QStringLiteral("\" hspace=\"") + plugIn.hspace;
    html += QStringLiteral("\" vspace=\"") + plugIn.vspace;
    html += plugIn.hidden ? QStringLiteral("\" hidden><noembed>") : QStringLiteral("\"><noembed>");
    return html + plugIn.message + QStringLiteral("</noembed>");
}

} // namespace MediaFragments
