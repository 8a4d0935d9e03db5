// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One element of the page as the parser built it. Offsets are UTF-16 units of the text the
// model was built from; a tag the parser implied has no offsets in the text (-1).
struct PageElement {
    int name = 0;          // index of its name in the model's names (PageModel::name)
    int start = -1;        // the "<" of its start tag
    int startTagEnd = -1;  // just after the start tag's ">"
    int endTagStart = -1;  // the "<" of its end tag
    int end = -1;          // just after the end tag, or where the element was closed
    int parent = -1;       // index in the model, -1 for a root

    bool hasStartTag() const { return start >= 0; }
    bool hasEndTag() const { return endTagStart >= 0; }
    // The name in the start tag begins right after "<", in the end tag after "</".
    int startNameOffset() const { return start + 1; }
    int endNameOffset() const { return endTagStart + 2; }
};
