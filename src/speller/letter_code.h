// The letter code: the speller's one-byte code for Polish letters in Polish
// alphabetical order, in which every word of the dictionaries is written.
//
//   A Ą B C Ć D E Ę F G H I J K L Ł M N Ń O Ó P Q R S Ś T U V W X Y Z Ź Ż   44 to 78
//   the same small letters                                                92 to 126
//   hyphen 127, end-of-word mark 1, end of data or not a letter 0
//
// Codes 2 to 43 are never letters; the dictionaries use them as inflection-class
// bytes. Codes 128 to 255 are the letters of cp1250 outside the Polish alphabet
// (á, é, ö, ř, š, ü, ß ...), each its own cp1250 byte: only a user dictionary
// holds them, so that Müller or José can be added whole. Words reach the speller
// as Windows-1250 text.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "charsets/foreign_letters.h"

namespace tarnik {

constexpr uint8_t kEndMark = 1;
constexpr uint8_t kFirstCapital = 44;  // A
constexpr uint8_t kLastCapital = 78;   // Ż
constexpr uint8_t kFirstSmall = 92;    // a
constexpr uint8_t kLastSmall = 126;    // ż
constexpr uint8_t kHyphenCode = 127;
constexpr uint8_t kSmallOffset = kFirstSmall - kFirstCapital;  // 48

// The lookups work on a copy of at most 279 bytes: 278 letters and the end mark.
// A longer word is never cut into a shorter one that might be accepted: the
// check refuses it.
constexpr size_t kMaxWordLetters = 278;

// A word in letter codes closed by the end mark.
using LetterWord = std::span<const uint8_t>;

inline bool IsForeignCode(uint8_t code) {
    return code >= 128 && IsForeignLetter(code);
}
inline bool IsCapitalCode(uint8_t code) {
    return (code >= kFirstCapital && code <= kLastCapital) ||
           (IsForeignCode(code) && ForeignToLower(code) != code);
}
inline bool IsSmallCode(uint8_t code) {
    return (code >= kFirstSmall && code <= kLastSmall) ||
           (IsForeignCode(code) && ForeignToLower(code) == code);
}
// Letters and the hyphen: the codes a word may hold.
inline bool IsWordCode(uint8_t code) {
    return IsCapitalCode(code) || code >= kFirstSmall;
}

inline uint8_t ToCapitalCode(uint8_t code) {
    if (code >= 128)
        return ForeignToUpper(code);
    return code >= kFirstSmall && code <= kLastSmall ? static_cast<uint8_t>(code - kSmallOffset)
                                                     : code;
}
inline uint8_t ToSmallCode(uint8_t code) {
    if (code >= 128)
        return ForeignToLower(code);
    return code >= kFirstCapital && code <= kLastCapital ? static_cast<uint8_t>(code + kSmallOffset)
                                                         : code;
}

// One cp1250 byte to its letter code, case kept or made small; 0 for anything
// that is not a letter of the alphabet or the hyphen.
uint8_t TextToCode(uint8_t byte);
uint8_t TextToSmallCode(uint8_t byte);

// The same with the letters outside the alphabet as well (codes 128-255).
uint8_t TextToWordCode(uint8_t byte);
uint8_t TextToSmallWordCode(uint8_t byte);

// One letter code back to cp1250, case kept (codes 44-78, 92-127 and the foreign
// letters); 0 for any other code.
uint8_t CodeToText(uint8_t code);

// The number of leading bytes of `word` that are letters or the hyphen: a word is
// cut at its first byte outside the alphabet.
size_t LetterCount(std::string_view word);

// The letter codes of `word` as a user dictionary stores it: its WordLetterCount
// letters, case kept, foreign ones included (Müller whole); empty when they stop
// at a letter no code holds, which is never cut off. No end mark is appended.
std::vector<uint8_t> TranslateWord(std::string_view word);

// The same count with the letters outside the alphabet (codes 128-255) taken in:
// the letters a word check or a user dictionary takes from `word`.
size_t WordLetterCount(std::string_view word);

// Whether the letters of `word` stop at a letter that no letter code holds
// (kUnheldLetter, a letter without a cp1250 byte): such a word is never cut.
bool StopsAtUnheldLetter(std::string_view word);

// The cp1250 text of letter codes, case kept, up to the first code that is not a
// letter or the hyphen (the end mark among them).
std::string CodesToText(std::span<const uint8_t> codes);

}  // namespace tarnik
