// The two questions the spell check asks the speller, each in one place: whether
// a word passes, and what the Check Spelling dialog offers for a text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnik {

// Whether the word (cp1250) is correct: the main dictionary and its lists (with
// the abbreviations when a full stop follows it), or the exact form in the
// command's user dictionary.
bool WordPasses(std::string_view word, bool beforeStop);

// The suggestions for a text (cp1250) in the order the dialog lists them (the
// likeliest first, or alphabetical when ranking is off in the settings), with
// the text's capitalisation (all capitals, or an initial capital).
std::vector<std::string> DialogSuggestions(std::string_view text);

// Why a word (its own characters) cannot be stored in the user dictionary as it
// is, as the English message the user is shown; null when it can. The rule is
// the one of tarnik dict add: letters of Windows-1250 and the hyphen, a letter
// first, at most 255 of them. On null, `cp1250` holds the word to store.
const char* UserWordRefusal(std::u16string_view word, std::string& cp1250);

}  // namespace tarnik
