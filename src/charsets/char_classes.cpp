#include "charsets/char_classes.h"

#include "charsets/polish_alphabet.h"

namespace tarnik {

namespace {

constexpr std::array<uint16_t, 256> BuildCharClasses() {
    std::array<uint16_t, 256> table{};
    for (int c = '0'; c <= '9'; ++c)
        table[c] = kDigitFlag;
    for (std::size_t i = 0; i < kPolishAlphabet.size(); i += 2) {
        auto upper = static_cast<uint8_t>(kPolishAlphabet[i]);
        auto lower = static_cast<uint8_t>(kPolishAlphabet[i + 1]);
        uint16_t polish = upper >= 0x80 ? kPolishLetterFlag : 0;
        table[upper] = kUpperFlag | polish;
        table[lower] = kLowerFlag | polish;
    }
    return table;
}

// Maps each letter of the alphabet's pairs from one side to the other.
constexpr std::array<uint8_t, 256> BuildCaseMap(std::size_t from, std::size_t to) {
    std::array<uint8_t, 256> map{};
    for (int c = 0; c < 256; ++c)
        map[c] = static_cast<uint8_t>(c);
    for (std::size_t i = 0; i < kPolishAlphabet.size(); i += 2) {
        map[static_cast<uint8_t>(kPolishAlphabet[i + from])] =
            static_cast<uint8_t>(kPolishAlphabet[i + to]);
    }
    return map;
}

constexpr std::array<uint8_t, 256> kUpperMap = BuildCaseMap(1, 0);
constexpr std::array<uint8_t, 256> kLowerMap = BuildCaseMap(0, 1);

void MapInPlace(char* text, const std::array<uint8_t, 256>& map) {
    if (text == nullptr)
        return;
    for (; *text != '\0'; ++text)
        *text = static_cast<char>(map[static_cast<uint8_t>(*text)]);
}

void MapInPlace(std::string& text, const std::array<uint8_t, 256>& map) {
    for (char& c : text)
        c = static_cast<char>(map[static_cast<uint8_t>(c)]);
}

}  // namespace

constinit const std::array<uint16_t, 256> CharClassTable = BuildCharClasses();

uint8_t ToUpper(uint8_t c) {
    return kUpperMap[c];
}
uint8_t ToLower(uint8_t c) {
    return kLowerMap[c];
}

void ToUpperInPlace(char* text) {
    MapInPlace(text, kUpperMap);
}
void ToLowerInPlace(char* text) {
    MapInPlace(text, kLowerMap);
}
void ToUpperInPlace(std::string& text) {
    MapInPlace(text, kUpperMap);
}
void ToLowerInPlace(std::string& text) {
    MapInPlace(text, kLowerMap);
}

}  // namespace tarnik
