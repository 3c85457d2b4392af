// Letters outside the Polish alphabet, and composing decomposed Latin letters.
//
// The character classes (char_classes.h) know only the Polish alphabet, so á, č,
// é, ö, ř, š, ü and the other letters of cp1250 are no letters there, and neither
// is any letter without a cp1250 byte (ñ, ø, Cyrillic, Greek ...). The word finder
// still runs a word over all of them, so that Müller or Dvořák is one word and is
// never cut into a shorter word that might pass. In a word's cp1250 text a letter
// without a byte of its own stands as kUnheldLetter.
#pragma once

#include <cstdint>

namespace tarnik {

// cp1250 leaves byte 0x81 undefined, so it can never stand for a character read
// from text: in word text it marks a letter that no cp1250 byte holds.
inline constexpr uint8_t kUnheldLetter = 0x81;

// The letters of cp1250 that the Polish alphabet lacks (Š š Ť ť Ž ž Ş ş Ľ ľ, the
// accented letters of 0xC0-0xFE, ß).
bool IsForeignLetter(uint8_t byte);

// Case partners of foreign letters (ß has none); other bytes map to themselves.
uint8_t ForeignToUpper(uint8_t byte);
uint8_t ForeignToLower(uint8_t byte);

// The ASCII letter a foreign letter is written on (é -> e, Ř -> R, Đ -> D); 0 for
// ß and for bytes that are no foreign letters.
uint8_t ForeignBaseLetter(uint8_t byte);

// Whether an internal code of 256 or more (a UTF-16 unit without a cp1250 byte),
// or kNoInternalLetter, is a letter: the Latin, Greek, Cyrillic, Armenian, Hebrew,
// Arabic, kana, CJK and Hangul letters of the Basic Multilingual Plane.
bool IsLetterWithoutByte(uint16_t code);

// Combining marks (U+0300-U+036F), which belong to the letter before them.
inline bool IsCombiningMark(uint16_t code) {
    return code >= 0x300 && code <= 0x36F;
}

// The precomposed Latin letter of `base` (an ASCII letter) with `mark`, for the
// letters of Latin-1 and Latin Extended-A (e + U+0301 -> é, z + U+0307 -> ż); 0
// when there is none.
char16_t ComposeLatin(char16_t base, char16_t mark);

}  // namespace tarnik
