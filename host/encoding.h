// The host's text conversions: UTF-8 outside (files, terminal), UTF-16 in stories
// and host strings, cp1250 in what the XTension hands over for display.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarnik::host {

// The two halves of a character outside the Basic Multilingual Plane.
inline bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}
inline bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

// UTF-8 to UTF-16; nullopt for malformed UTF-8, with the byte offset of the fault in
// `errorOffset` when given.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text, size_t* errorOffset = nullptr);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

std::u16string Cp1250ToUtf16(std::string_view text);
std::string Cp1250ToUtf8(std::string_view text);

// UTF-16 to cp1250; a character cp1250 lacks becomes '?'.
std::string Utf16ToCp1250(std::u16string_view text);
std::string Utf8ToCp1250(std::string_view text);

}  // namespace tarnik::host
