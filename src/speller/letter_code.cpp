#include "speller/letter_code.h"

#include <array>

namespace tarnik {

namespace {

// The alphabet in letter-code order, capitals and small letters, as cp1250 bytes.
constexpr std::array<uint8_t, 35> kCapitals = {
    'A',  0xA5, 'B',  'C', 0xC6, 'D', 'E', 0xCA, 'F', 'G', 'H', 'I', 'J', 'K', 'L', 0xA3, 'M', 'N',
    0xD1, 'O',  0xD3, 'P', 'Q',  'R', 'S', 0x8C, 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', 0x8F, 0xAF};
constexpr std::array<uint8_t, 35> kSmalls = {
    'a',  0xB9, 'b',  'c', 0xE6, 'd', 'e', 0xEA, 'f', 'g', 'h', 'i', 'j', 'k', 'l', 0xB3, 'm', 'n',
    0xF1, 'o',  0xF3, 'p', 'q',  'r', 's', 0x9C, 't', 'u', 'v', 'w', 'x', 'y', 'z', 0x9F, 0xBF};

struct Tables {
    std::array<uint8_t, 256> toCode{};
    std::array<uint8_t, 256> toSmallCode{};
    std::array<uint8_t, 256> toText{};

    Tables() {
        for (size_t i = 0; i < kCapitals.size(); ++i) {
            uint8_t capital = static_cast<uint8_t>(kFirstCapital + i);
            uint8_t small = static_cast<uint8_t>(kFirstSmall + i);
            toCode[kCapitals[i]] = capital;
            toCode[kSmalls[i]] = small;
            toSmallCode[kCapitals[i]] = small;
            toSmallCode[kSmalls[i]] = small;
            toText[capital] = kCapitals[i];
            toText[small] = kSmalls[i];
        }
        toCode['-'] = toSmallCode['-'] = kHyphenCode;
        toText[kHyphenCode] = '-';
        for (int byte = 128; byte < 256; ++byte) {
            if (IsForeignLetter(static_cast<uint8_t>(byte)))
                toText[byte] = static_cast<uint8_t>(byte);
        }
    }
};

const Tables kTables;

}  // namespace

uint8_t TextToCode(uint8_t byte) {
    return kTables.toCode[byte];
}
uint8_t TextToSmallCode(uint8_t byte) {
    return kTables.toSmallCode[byte];
}
uint8_t TextToWordCode(uint8_t byte) {
    return IsForeignLetter(byte) ? byte : kTables.toCode[byte];
}
uint8_t TextToSmallWordCode(uint8_t byte) {
    return IsForeignLetter(byte) ? ForeignToLower(byte) : kTables.toSmallCode[byte];
}
uint8_t CodeToText(uint8_t code) {
    return kTables.toText[code];
}

size_t LetterCount(std::string_view word) {
    size_t count = 0;
    while (count < word.size() && TextToCode(static_cast<uint8_t>(word[count])) != 0)
        ++count;
    return count;
}

size_t WordLetterCount(std::string_view word) {
    size_t count = 0;
    while (count < word.size() && TextToWordCode(static_cast<uint8_t>(word[count])) != 0)
        ++count;
    return count;
}

bool StopsAtUnheldLetter(std::string_view word) {
    size_t count = WordLetterCount(word);
    return count < word.size() && static_cast<uint8_t>(word[count]) == kUnheldLetter;
}

std::vector<uint8_t> TranslateWord(std::string_view word) {
    if (StopsAtUnheldLetter(word))
        return {};
    std::vector<uint8_t> codes(WordLetterCount(word));
    for (size_t i = 0; i < codes.size(); ++i)
        codes[i] = TextToWordCode(static_cast<uint8_t>(word[i]));
    return codes;
}

std::string CodesToText(std::span<const uint8_t> codes) {
    std::string text;
    for (uint8_t code : codes) {
        uint8_t byte = CodeToText(code);
        if (byte == 0)
            break;
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

}  // namespace tarnik
