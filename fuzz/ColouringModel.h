// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The markup colouring told step by step over the whole text, one character at a time. It is
// slow on purpose and shares nothing with the engine, so the two can be held against each other.
namespace ColouringModel {

enum Colour : char { Base = 1, Markup = 2, Comment = 3 };

// The colours after a colouring at caret (0: the whole text), one per UTF-16 unit of text;
// colours holds those before it.
std::vector<char> colour(const std::u16string &text, std::size_t caret, std::vector<char> colours);

} // namespace ColouringModel
