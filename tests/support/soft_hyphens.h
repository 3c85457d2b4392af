// Texts of the hyphenation tests are written with '~' for the soft hyphen
// U+00AD: Soft turns '~' into it, Tilde turns it back.
#pragma once

#include <string>

namespace hyphtest {

inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

inline std::string Soft(const std::string& text) {
    return ReplaceAll(text, "~", "\xC2\xAD");
}

inline std::string Tilde(const std::string& utf8) {
    return ReplaceAll(utf8, "\xC2\xAD", "~");
}

}  // namespace hyphtest
