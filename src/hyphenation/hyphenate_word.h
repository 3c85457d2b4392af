// Pattern hyphenation of one word.
//
// A word (cp1250, ending at its end or at a NUL) is read through the input map
// up to its first digit; the letters after a digit take no part and are not
// output. Its breaks come from the first list that holds it, the user list (only
// in HyphenateWordWithUser) and then the built-in list, or else from the
// patterns: between each pair of letters the highest level of all matching
// patterns counts, and an odd level allows a break. Whatever the source, a
// break after letter k needs k >= 2 (k >= 5 when the word begins with "wszcz",
// whose first syllable the patterns would split) and at least two letters after
// it, so words of up to three letters never break.
//
// A word of more than 254 letters (before any digit) is left whole: the
// hyphenation works in a fixed 256-position frame, and no real word comes near.
//
// Result: bit (k-1) mod 32 is set for each break after letter k (so letter 33
// shares bit 0 with letter 1). When `out` is given it receives the word's
// letters, each followed by '-' where a break is allowed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "hyphenation/hyph_dict.h"

namespace tarnik {

inline constexpr size_t kMaxHyphWord = 254;

// Consults the user list first; sets the user-exceptions mode.
uint32_t HyphenateWordWithUser(const HyphDict& dict, std::string_view word,
                               std::string* out = nullptr);

// The built-in list and the patterns only; clears the user-exceptions mode.
uint32_t HyphenateWordWithoutUser(const HyphDict& dict, std::string_view word,
                                  std::string* out = nullptr);

// 1 after the last hyphenation consulted the user list, 0 otherwise.
int16_t UserExceptionsMode();

}  // namespace tarnik
