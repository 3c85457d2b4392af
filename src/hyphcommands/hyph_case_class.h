// The case class by which the hyphenation commands skip words.
//
// Each character of the word gets a class: a digit or '.' 1, a small letter 2,
// a capital 4, anything else 16. With f the first character's class and r the
// classes of all later characters together, the word's class is r when f = r,
// 34 for a capitalised word (f = 4, r = 2), 70 for a small letter followed by
// capitals (f = 2, r = 4), and r otherwise:
//
//   kot 2   KOT 4   Kot 34   kOT 70   XPress 6   A4 1
//
// So a word in capitals is 4, and a word that mixes capitals and small letters
// after its first letter has both 2 and 4 set (XPress, iPhone, kOT), while a
// capitalised word (Kot) has not. A word of one character or none is 0.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnik {

inline constexpr uint16_t kHyphCaseDigit = 1;
inline constexpr uint16_t kHyphCaseSmall = 2;
inline constexpr uint16_t kHyphCaseCapital = 4;
inline constexpr uint16_t kHyphCaseOther = 16;
inline constexpr uint16_t kHyphCaseCapitalised = 34;
inline constexpr uint16_t kHyphCaseSmallThenCapitals = 70;

// `word` is cp1250.
uint16_t HyphCaseClass(std::string_view word);

}  // namespace tarnik
