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

// The case class of CaseClass (text/word_scanner.h), over UTF-16 units: 0x01
// initial capital, 0x02 capitals, 0x04 small letters, 0x08 mixed case, 0x10 a
// character that is neither letter nor digit, 0x20 a digit.
uint16_t UnitsCaseClass(std::u16string_view units);

// 0x02 turns the whole text to capitals, else 0x01 its first character.
void ApplyCaseToUnits(std::u16string& units, uint16_t flags);

}  // namespace tarnik
