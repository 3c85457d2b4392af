// Letter case of words as the story holds them (UTF-16), for the lists that
// compare words whole: "Ignore All" and "Change All" key a word by its own
// characters, so that Кот, Дом and Лес, which cp1250 cannot hold, stay three
// different words, and the case rules apply to them as to Polish words.
//
// The case mapping covers the scripts a Polish text meets: Latin (with Latin-1
// and Latin Extended-A), Greek and Cyrillic; any other character has no case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnik {

char16_t LowerUnit(char16_t unit);
char16_t UpperUnit(char16_t unit);

std::u16string LoweredUnits(std::u16string_view units);

// The case class of a word: 0x01 initial capital, 0x02 capitals, 0x04 small
// letters, 0x08 mixed case, 0x10 a character that is neither letter nor digit,
// 0x20 a digit.
inline constexpr uint16_t kCaseInitial = 0x01;
inline constexpr uint16_t kCaseCapitals = 0x02;
inline constexpr uint16_t kCaseSmall = 0x04;
inline constexpr uint16_t kCaseMixed = 0x08;
inline constexpr uint16_t kCaseOther = 0x10;
inline constexpr uint16_t kCaseDigit = 0x20;

// The case class of a word in cp1250, and over UTF-16 units.
uint16_t WordCaseClass(std::string_view cp1250);
uint16_t UnitsCaseClass(std::u16string_view units);

// 0x02 turns the whole text to capitals, else 0x01 its first character.
void ApplyWordCase(char* cp1250, uint16_t flags);
void ApplyCaseToUnits(std::u16string& units, uint16_t flags);

// The rule of a "Change All" answer: a replacement in the case pattern of the
// word it replaced follows each later word's case (krul -> król makes Krul
// Król); any other is written as the user gave it.
bool ReplacementFollowsCase(std::u16string_view word, std::u16string_view replacement);

}  // namespace tarnik
