// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class EditorControl;
class HostServices;

// The Insert › Bookmark command, which needs no dialog of its own.
namespace BookmarkCommand {

// Asks for a bookmark name in an input box whose top-left corner is at x, y (twips) and puts
// a named anchor in place of the editor's selection. An empty or cancelled answer inserts
// nothing. The quick preview is left as it was.
void run(EditorControl &editor, HostServices &host, int xTwips, int yTwips);

} // namespace BookmarkCommand
