#include "charsets/foreign_letters.h"

#include <array>
#include <string_view>

#include "charsets/internal_code.h"

namespace tarnik {

namespace {

struct ForeignTables {
    std::array<uint8_t, 256> upper{};
    std::array<uint8_t, 256> lower{};
    std::array<uint8_t, 256> base{};
    std::array<bool, 256> letter{};

    constexpr ForeignTables() {
        for (int i = 0; i < 256; ++i)
            upper[i] = lower[i] = static_cast<uint8_t>(i);
        // Capital, small letter and the ASCII letter they are written on.
        constexpr std::string_view pairs[] = {"\x8A\x9AS",
                                              "\x8D\x9DT",
                                              "\x8E\x9EZ",
                                              "\xAA\xBAS",
                                              "\xBC\xBEL",
                                              "\xC0\xE0R",
                                              "\xC1\xE1"
                                              "A",
                                              "\xC2\xE2"
                                              "A",
                                              "\xC3\xE3"
                                              "A",
                                              "\xC4\xE4"
                                              "A",
                                              "\xC5\xE5L",
                                              "\xC7\xE7"
                                              "C",
                                              "\xC8\xE8"
                                              "C",
                                              "\xC9\xE9"
                                              "E",
                                              "\xCB\xEB"
                                              "E",
                                              "\xCC\xEC"
                                              "E",
                                              "\xCD\xED"
                                              "I",
                                              "\xCE\xEE"
                                              "I",
                                              "\xCF\xEF"
                                              "D",
                                              "\xD0\xF0"
                                              "D",
                                              "\xD2\xF2N",
                                              "\xD4\xF4O",
                                              "\xD5\xF5O",
                                              "\xD6\xF6O",
                                              "\xD8\xF8R",
                                              "\xD9\xF9U",
                                              "\xDA\xFAU",
                                              "\xDB\xFBU",
                                              "\xDC\xFCU",
                                              "\xDD\xFDY",
                                              "\xDE\xFET"};
        for (std::string_view p : pairs) {
            auto capital = static_cast<uint8_t>(p[0]);
            auto small = static_cast<uint8_t>(p[1]);
            auto ascii = static_cast<uint8_t>(p[2]);
            letter[capital] = letter[small] = true;
            upper[small] = capital;
            lower[capital] = small;
            base[capital] = ascii;
            base[small] = static_cast<uint8_t>(ascii + ('a' - 'A'));
        }
        letter[0xDF] = true;  // ß
    }
};

constexpr ForeignTables kForeign;

struct LetterRange {
    uint16_t first, last;
};

// Sorted; the gaps leave out signs and punctuation inside the blocks.
constexpr LetterRange kLetterRanges[] = {
    {0x0100, 0x02AF}, {0x0370, 0x0373}, {0x0376, 0x0377}, {0x037B, 0x037D}, {0x0386, 0x0386},
    {0x0388, 0x03FF}, {0x0400, 0x0481}, {0x048A, 0x052F}, {0x0531, 0x0556}, {0x0561, 0x0587},
    {0x05D0, 0x05EA}, {0x0620, 0x064A}, {0x1E00, 0x1FBC}, {0x3041, 0x3096}, {0x30A1, 0x30FA},
    {0x4E00, 0x9FFF}, {0xAC00, 0xD7A3}, {0xFF21, 0xFF3A}, {0xFF41, 0xFF5A},
};

struct MarkLetters {
    char16_t mark;
    std::u16string_view bases;     // ASCII letters
    std::u16string_view composed;  // the same letters with the mark
};

constexpr MarkLetters kComposition[] = {
    {0x300, u"AEIOUaeiou", u"ÀÈÌÒÙàèìòù"},
    {0x301, u"AEIOUYaeiouyCcLlNnRrSsZz", u"ÁÉÍÓÚÝáéíóúýĆćĹĺŃńŔŕŚśŹź"},
    {0x302, u"AEIOUaeiouCcGgHhJjSsWwYy", u"ÂÊÎÔÛâêîôûĈĉĜĝĤĥĴĵŜŝŴŵŶŷ"},
    {0x303, u"ANOanoIiUu", u"ÃÑÕãñõĨĩŨũ"},
    {0x304, u"AaEeIiOoUu", u"ĀāĒēĪīŌōŪū"},
    {0x306, u"AaEeGgIiOoUu", u"ĂăĔĕĞğĬĭŎŏŬŭ"},
    {0x307, u"CcEeGgIZz", u"ĊċĖėĠġİŻż"},
    {0x308, u"AEIOUaeiouyY", u"ÄËÏÖÜäëïöüÿŸ"},
    {0x30A, u"AaUu", u"ÅåŮů"},
    {0x30B, u"OoUu", u"ŐőŰű"},
    {0x30C, u"CcDdEeLlNnRrSsTtZz", u"ČčĎďĚěĽľŇňŘřŠšŤťŽž"},
    {0x327, u"CcGgKkLlNnRrSsTt", u"ÇçĢģĶķĻļŅņŖŗŞşŢţ"},
    {0x328, u"AaEeIiUu", u"ĄąĘęĮįŲų"},
};

}  // namespace

bool IsForeignLetter(uint8_t byte) {
    return kForeign.letter[byte];
}

uint8_t ForeignToUpper(uint8_t byte) {
    return kForeign.upper[byte];
}

uint8_t ForeignToLower(uint8_t byte) {
    return kForeign.lower[byte];
}

uint8_t ForeignBaseLetter(uint8_t byte) {
    return kForeign.base[byte];
}

bool IsLetterWithoutByte(uint16_t code) {
    if (code == kNoInternalLetter)
        return true;
    for (const LetterRange& range : kLetterRanges) {
        if (code < range.first)
            return false;
        if (code <= range.last)
            return true;
    }
    return false;
}

char16_t ComposeLatin(char16_t base, char16_t mark) {
    for (const MarkLetters& m : kComposition) {
        if (m.mark != mark)
            continue;
        size_t at = m.bases.find(base);
        return at == std::u16string_view::npos ? 0 : m.composed[at];
    }
    return 0;
}

}  // namespace tarnik
