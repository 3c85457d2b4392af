// The Polish alphabet in cp1250: 35 pairs, capital then small letter, in Polish
// alphabetical order (A a Ą ą B b C c Ć ć ... Z z Ź ź Ż ż). The character classes,
// the case maps, the sort orders and the hyphenation letters are all built from it.
#pragma once

#include <string_view>

namespace tarnik {

inline constexpr std::string_view kPolishAlphabet =
    "Aa\xA5\xB9"
    "BbCc\xC6\xE6"
    "DdEe\xCA\xEA"
    "FfGgHhIiJjKkLl\xA3\xB3"
    "MmNn\xD1\xF1"
    "Oo\xD3\xF3"
    "PpQqRrSs\x8C\x9C"
    "TtUuVvWwXxYyZz\x8F\x9F\xAF\xBF";

static_assert(kPolishAlphabet.size() == 70);

}  // namespace tarnik
