// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ScriptFragment.h"

namespace ScriptFragment {

QString build(const Script &script)
{
    QString language;
    switch (script.language) {
    case Language::VBScript:
        language = QStringLiteral("VBScript");
        break;
    case Language::JavaScript:
        language = QStringLiteral("JavaScript");
        break;
    case Language::Other:
        language = script.otherLanguage;
        break;
    }
    return QStringLiteral("<script language=\"") + language + QStringLiteral("\">\r\n") + script.source +
           QStringLiteral("\r\n</script>");
}

} // namespace ScriptFragment
