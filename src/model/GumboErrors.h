// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gumbo.h>

#include <cstdint>

// The parse errors gumbo 0.10.1 leaves in GumboOutput::errors. The library keeps their layout
// out of its public header; this mirrors it for that version, which the build requires exactly
// (see src/CMakeLists.txt), and PageParser checks every error's fields before it trusts them.
namespace GumboErrors {

enum Type {
    Utf8Invalid, Utf8Truncated, Utf8Null,
    NumericCharRefNoDigits, NumericCharRefWithoutSemicolon, NumericCharRefInvalid,
    NamedCharRefWithoutSemicolon, NamedCharRefInvalid,
    TagStartsWithQuestion, TagEof, TagInvalid, CloseTagEmpty, CloseTagEof, CloseTagInvalid,
    ScriptEof,
    AttrNameEof, AttrNameInvalid, AttrDoubleQuoteEof, AttrSingleQuoteEof, AttrUnquotedEof,
    AttrUnquotedRightBracket, AttrUnquotedEquals, AttrAfterEof, AttrAfterInvalid, DuplicateAttr,
    SolidusEof, SolidusInvalid, DashesOrDoctype,
    CommentEof, CommentInvalid, CommentBangAfterDoubleDash, CommentDashAfterDoubleDash, CommentSpaceAfterDoubleDash,
    CommentEndBangEof,
    DoctypeEof, DoctypeInvalid, DoctypeSpace, DoctypeRightBracket, DoctypeSpaceOrRightBracket, DoctypeEnd,
    Parser, UnacknowledgedSelfClosingTag,
    TypeCount
};

// The token that a parser error is about.
enum TokenType { Doctype, StartTag, EndTag, Comment, Whitespace, Character, CData, Null, Eof };

// The insertion mode that takes the first tokens: an error there is a missing doctype.
constexpr int InitialMode = 0;

struct DuplicateAttribute {
    const char *name;
    unsigned int originalIndex;
    unsigned int newIndex;
};

struct TokenizerError {
    int codepoint;
    int state;
};

struct ParserError {
    int inputType;
    GumboTag inputTag;
    int parserState;
    GumboVector tagStack; // GumboTag values stored in the pointers
};

struct Error {
    int type;
    GumboSourcePosition position;
    const char *originalText;
    union {
        std::uint64_t codepoint;
        TokenizerError tokenizer;
        GumboStringPiece text;
        DuplicateAttribute duplicateAttribute;
        ParserError parser;
    } v;
};

} // namespace GumboErrors
