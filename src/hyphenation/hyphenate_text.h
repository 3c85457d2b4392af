// Hyphenation of a piece of text that may hold more than one word: a compound
// (kotek-piesek), a word in quotation marks or brackets, several words.
//
// The words are found as the hyphenation commands find them in a story: a word
// starts at a letter and runs over letters and digits; a hyphen, a dash, a
// space, a quotation mark or any other character ends it. Each word is
// hyphenated alone (HyphenateWord), so the two-letter minimums hold at both its
// ends, also beside a compound's hyphen; the characters between words are kept
// as they are. A word followed by a hyphen is the first part of a compound and
// gets a break before the hyphen, as Hyphenate Box puts a point there:
// kotek-piesek gives ko-tek--pie-sek. The Suggested Hyphenation dialog and
// tarnik hyph both hyphenate this way, and Hyphenate Box puts the same points
// into the text.
#pragma once

#include <string>
#include <string_view>

#include "hyphenation/hyph_dict.h"

namespace tarnik {

// `text` (cp1250) with '-' inserted at each allowed break of each of its words;
// with `withUser` the user's exceptions are consulted first.
std::string HyphenateText(const HyphDict& dict, std::string_view text, bool withUser);

}  // namespace tarnik
