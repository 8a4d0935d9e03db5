// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The element, attribute and character reference table, generated at build time from the
// browser compatibility data (generate_html_data.py); HtmlKnowledge is its reader.
namespace HtmlData {

struct Attribute {
    const char *name;
    bool obsolete;
};

struct Element {
    const char *name;
    bool obsolete;
    int firstAttribute; // index into attributes
    int attributeCount;
};

struct CharacterReference {
    const char *name; // without & and ;
    const char *text; // UTF-8
};

// The global attributes come first, globalAttributeCount of them.
extern const Attribute attributes[];
extern const int globalAttributeCount;
// Sorted by name.
extern const Element elements[];
extern const int elementCount;
// Sorted by name.
extern const CharacterReference characterReferences[];
extern const int characterReferenceCount;

} // namespace HtmlData
