// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class EditorControl;
class HostServices;

// Go to Line: asks for a line number and puts the caret at the start of that line.
namespace GoToLine {

// Asks in an input box whose top-left corner is at xTwips, yTwips, offering the caret's line.
// A number beyond the document goes to its first or last line; a text that is no number is
// refused with a message, and a cancelled box changes nothing.
void ask(EditorControl &editor, HostServices &host, int xTwips, int yTwips);

// The line, counted from 1, that typed asks for in a document of lineCount lines: a whole number
// (spaces around it and a sign allowed) brought within 1 to lineCount. Nothing for any other text.
std::optional<int> lineNumber(const QString &typed, int lineCount);

} // namespace GoToLine
