// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The markup of the script dialog.
namespace ScriptFragment {

enum class Language { VBScript, JavaScript, Other };

struct Script {
    Language language = Language::VBScript;
    QString otherLanguage; // read only for Language::Other
    QString source;        // its line breaks as CR LF
};

// The start tag, the source and the end tag, each on its own line (CR LF), nothing after the
// end tag; texts as typed, not trimmed or escaped.
QString build(const Script &script);

} // namespace ScriptFragment
