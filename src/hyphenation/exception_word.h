// Whether a word as the user writes it (letters, '-' at each allowed break) can
// be stored as a user exception as it is. Every place that takes an exception
// from the user (the exceptions editor, tarnik hyph --add) asks here first, so a
// word is never stored changed: not with a space, not with '?' for a letter
// Windows-1250 lacks, not without the breaks of "-kotek-".
#pragma once

#include <string>
#include <string_view>

namespace tarnik {

// Null when `hyphenated` (UTF-16) can be stored, with `cp1250` holding it as the
// list takes it; otherwise an English sentence saying why not. The length limits
// of the stored entry (at most 49 breaks, 251 letters and breaks) are told by
// HyphExceptionTooLongReason when AddHyphException refuses a word for them.
const char* HyphExceptionRefusal(std::u16string_view hyphenated, std::string& cp1250);

inline constexpr char kHyphExceptionTooLongReason[] =
    "The exception was not stored: it may hold at most 49 breaks, and at most 251 letters "
    "and breaks together.";
inline constexpr char kHyphExceptionPresentReason[] =
    "The exception was not stored: the word is listed already; remove it first to change "
    "its breaks.";

}  // namespace tarnik
