// The one rule for "is this word correct", which every check asks: the main
// dictionary and its lists (with the abbreviations when a full stop follows
// the word), or the word's exact form in the user dictionary.
#pragma once

#include <string_view>

#include "speller/user_dictionary.h"

namespace tarnik {

// `word` is the speller's cp1250 text; `user` may be null (no user dictionary).
bool WordIsCorrect(std::string_view word, bool beforeStop, const UserDictionary* user);

}  // namespace tarnik
