// Character classes and case maps of the internal code (cp1250 bytes).
//
// Letters are A-Z, a-z and the 18 Polish letters; accented letters of other
// languages that cp1250 holds (á, ä, č, é, š, ž ...) are no letters here, so the
// engines treat them as word breaks.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarnik {

// Code 31 stands for the discretionary (soft) hyphen wherever story text is read
// or written; the host shows it as U+00AD.
inline constexpr uint8_t DiscretionaryHyphen = 0x1F;

inline constexpr uint16_t kUpperFlag = 0x01;
inline constexpr uint16_t kLowerFlag = 0x02;
inline constexpr uint16_t kDigitFlag = 0x04;
inline constexpr uint16_t kPolishLetterFlag = 0x100;

// One entry of class flags per cp1250 byte.
extern const std::array<uint16_t, 256> CharClassTable;

inline bool IsUpper(uint8_t c) {
    return CharClassTable[c] & kUpperFlag;
}
inline bool IsLower(uint8_t c) {
    return CharClassTable[c] & kLowerFlag;
}
inline bool IsDigit(uint8_t c) {
    return CharClassTable[c] & kDigitFlag;
}
inline bool IsAlpha(uint8_t c) {
    return CharClassTable[c] & (kUpperFlag | kLowerFlag);
}
inline bool IsAlnum(uint8_t c) {
    return CharClassTable[c] & (kUpperFlag | kLowerFlag | kDigitFlag);
}
inline bool IsPolishLetter(uint8_t c) {
    return CharClassTable[c] & kPolishLetterFlag;
}

// Case maps: a-z <-> A-Z and each Polish letter <-> its partner; every other
// byte maps to itself.
uint8_t ToUpper(uint8_t c);
uint8_t ToLower(uint8_t c);

// In-place forms. The char* forms stop at the NUL and leave a null pointer alone;
// the std::string forms map every byte.
void ToUpperInPlace(char* text);
void ToLowerInPlace(char* text);
void ToUpperInPlace(std::string& text);
void ToLowerInPlace(std::string& text);

}  // namespace tarnik
