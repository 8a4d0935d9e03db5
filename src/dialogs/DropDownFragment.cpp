// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/DropDownFragment.h"

namespace DropDownFragment {

QString build(const SelectList &list)
{
    const QString lineBreak = QStringLiteral("\r\n");
    QString fragment = QStringLiteral("<select name=\"") + list.name + QStringLiteral("\" size=\"") + list.height + u'"';
    if (list.multiple)
        fragment += QStringLiteral(" multiple");
    if (!list.tabOrder.isEmpty())
        fragment += QStringLiteral(" tabindex=\"") + list.tabOrder + u'"';
    fragment += u'>';
    for (const QString &item : list.items)
        fragment +=
            lineBreak + QStringLiteral("<option value=\"") + item + QStringLiteral("\">") + item + QStringLiteral("</option>");
    return fragment + lineBreak + QStringLiteral("</select>");
}

} // namespace DropDownFragment
