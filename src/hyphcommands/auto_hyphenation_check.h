// The check that comes before a box is hyphenated: paragraphs whose H&J
// specification has the host's automatic hyphenation on would have the host
// break their words by its own rules as well as at the inserted points.
//
// The specifications of the paragraphs in the range that have it on are
// listed (the most recently met first). Unless the setting "switch off
// automatic hyphenation" answers for the user (Fix), the warning dialog shows
// the list and asks: Fix switches automatic hyphenation off in those
// specifications and hyphenates, Continue hyphenates as they are, Cancel leaves
// the box alone with a caret at its story's start.
#pragma once

#include <cstdint>

#include "platform/host_api.h"

namespace tarnik {

inline constexpr int16_t kHyphCheckCancelled = -128;

// 0 to go on hyphenating [start, end] of the box (0: the current box);
// kHyphCheckCancelled to leave it alone, also for a box without text.
int16_t AutoHyphenationCheck(XTBox box, int32_t start, int32_t end);

}  // namespace tarnik
