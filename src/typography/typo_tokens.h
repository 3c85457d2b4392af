// Tokens: the run of non-blank characters around a position, and the two tests
// that keep the spacing rules off addresses and listed abbreviations.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tarnik/xtabi.h"
#include "typography/typo_char_classes.h"

namespace tarnik {

// Collects into `buffer` the run of non-blank characters (blank: space, break or
// separator of `classes`) that contains `position` of a story of `length`
// characters, each as its full 16-bit code: first the characters before the
// position, then the position's own and those after it, at most `max` in all.
// The walk stops at a step of more than one position (a surrogate pair ends a
// token). `buffer` holds max + 1 codes; the token is ended by a 0, and its
// length is the result.
std::size_t GetTokenAround(XTStory story, int32_t length, int32_t position,
                           const TypoCharClasses& classes, uint16_t* buffer, std::size_t max);

// True when the token around `position` (up to 4096 characters) is an address:
// it begins with "ftp://", "http://", "https://", "ftp." or "www." (in these
// cases), or holds an at sign.
bool IsUrlToken(XTStory story, int32_t length, int32_t position, const TypoCharClasses& classes);

// True when the token around `position` (up to 4094 characters) is a word of
// `exceptions`, whose spacing the rules leave alone ("S.A.", "m.in.").
bool IsSpaceException(XTStory story, int32_t length, int32_t position,
                      const TypoCharClasses& classes, const TypoWordList& exceptions);

}  // namespace tarnik
