// UTF-8, the encoding of everything outside the plug-in (files, terminal, JSON),
// to and from the host's UTF-16 and the engines' internal code.
//
// Decoding never fails: each malformed piece of UTF-8 (a stray continuation byte,
// a cut or overlong sequence, an encoded surrogate, a value past U+10FFFF) becomes
// one U+FFFD, and decoding goes on after it. A lone surrogate in UTF-16 is written
// as U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace tarnik {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Characters above U+FFFF become surrogate pairs.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Internal codes, one per UTF-16 unit, exactly as the engines read a host story
// holding the same text (StoryUnitToInternal: U+00AD gives 0x1F).
std::u16string Utf8ToInternal(std::string_view text);

// cp1250 bytes, one per character: U+00AD gives 0x1F; a character without a
// cp1250 byte (and each malformed piece) gives '?', which is no letter, so the
// engines see a word break there.
std::string Utf8ToCp1250(std::string_view text);

// The reverse: 0x1F gives U+00AD; the five bytes cp1250 leaves undefined give
// U+FFFD.
std::string Cp1250ToUtf8(std::string_view text);

}  // namespace tarnik
