// The internal code and the host's UTF-16.
//
// Engines keep text as cp1250 bytes; where they keep 16-bit codes, a character
// without a cp1250 byte keeps its UTF-16 value (256 or more), which belongs to no
// character class. Codes 0x80-0xFF are always the cp1250 character of that byte:
// a Latin-1 character that cp1250 lacks (à, ñ, è ...) comes in as one of two
// codes of its own (a letter or not) rather than as the different cp1250 letter that shares its
// number (ŕ, ń, č ...).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnik {

// What InternalToUnicode gives for the bytes cp1250 leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98).
inline constexpr char16_t kNoUnicode = 0xEFEF;

// The code for a UTF-16 unit 0x80-0xFF that has no cp1250 byte: kNoInternalLetter
// for the letters (à, ñ, ø ...), kNoInternalCode for the other characters.
inline constexpr uint16_t kNoInternalCode = 0xFFFD;
inline constexpr uint16_t kNoInternalLetter = 0xFDD0;  // a noncharacter: never text

// Units below 0x80 pass unchanged; cp1250 characters give their byte; any other
// unit gives itself (or kNoInternalLetter / kNoInternalCode, as above).
uint16_t UnicodeToInternal(char16_t unit);

// Exactly units.size() units, one code each.
std::u16string UnicodeToInternal(std::u16string_view units);

// Bytes below 0x80 pass unchanged; others give their cp1250 character, or
// kNoUnicode for the five undefined bytes.
char16_t InternalToUnicode(uint8_t byte);

// `count` bytes, or up to the NUL when count is UpToNul; a null pointer gives "".
inline constexpr std::size_t UpToNul = static_cast<std::size_t>(-1);
std::u16string InternalToUnicode(const char* bytes, std::size_t count = UpToNul);

// A story character as the engines read it: the discretionary hyphen U+00AD
// becomes DiscretionaryHyphen (0x1F), everything else goes through
// UnicodeToInternal, but for the control character U+001F, which gives
// kNoInternalCode so that it never passes for the discretionary hyphen. The host
// takes 0x1F back as a discretionary hyphen.
uint16_t StoryUnitToInternal(char16_t unit);

}  // namespace tarnik
