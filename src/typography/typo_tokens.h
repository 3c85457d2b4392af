// Tokens: the run of non-blank characters (blank: space, break or separator of
// the classes) around a position, and the two tests that keep the spacing rules
// off addresses and listed abbreviations. A token stops at a step of more than
// one position (a surrogate pair ends it).
#pragma once

#include <cstdint>

#include "tarnik/xtabi.h"
#include "typography/typo_char_classes.h"

namespace tarnik {

// True when the token around `position` (up to 4096 characters) is an address:
// it begins with "ftp://", "http://", "https://", "ftp." or "www." (in these
// cases; opening brackets and quotation marks before them aside), or holds an
// at sign.
bool IsUrlToken(XTStory story, int32_t length, int32_t position, const TypoCharClasses& classes);

// True when the token around `position` (up to 4094 characters) is a word of
// `exceptions`, whose spacing the rules leave alone ("S.A.", "m.in.").
bool IsSpaceException(XTStory story, int32_t length, int32_t position,
                      const TypoCharClasses& classes, const TypoWordList& exceptions);

}  // namespace tarnik
