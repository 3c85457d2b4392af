#include "charsets/internal_code.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "charsets/char_classes.h"

namespace tarnik {

namespace {

// The cp1250 characters of bytes 0x80-0xFF. Byte 0xAC is U+00AC both ways, so a
// ¬ read from a story goes back unchanged.
constexpr std::array<char16_t, 128> kCp1250Unicode = {
    0x20AC,     kNoUnicode, 0x201A, kNoUnicode, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    kNoUnicode, 0x2030,     0x0160, 0x2039,     0x015A, 0x0164, 0x017D, 0x0179,  // 88
    kNoUnicode, 0x2018,     0x2019, 0x201C,     0x201D, 0x2022, 0x2013, 0x2014,  // 90
    kNoUnicode, 0x2122,     0x0161, 0x203A,     0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0,     0x02C7,     0x02D8, 0x0141,     0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8,     0x00A9,     0x015E, 0x00AB,     0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0,     0x00B1,     0x02DB, 0x0142,     0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8,     0x0105,     0x015F, 0x00BB,     0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154,     0x00C1,     0x00C2, 0x0102,     0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C,     0x00C9,     0x0118, 0x00CB,     0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110,     0x0143,     0x0147, 0x00D3,     0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158,     0x016E,     0x00DA, 0x0170,     0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155,     0x00E1,     0x00E2, 0x0103,     0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D,     0x00E9,     0x0119, 0x00EB,     0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111,     0x0144,     0x0148, 0x00F3,     0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159,     0x016F,     0x00FA, 0x0171,     0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// The way back: the byte of each unit the table holds, 0 for the others. All of
// them lie below U+2200.
constexpr std::size_t kReverseSize = 0x2200;

constexpr std::array<uint8_t, kReverseSize> BuildReverse() {
    std::array<uint8_t, kReverseSize> reverse{};
    for (std::size_t i = 0; i < kCp1250Unicode.size(); ++i) {
        if (kCp1250Unicode[i] < kReverseSize) {
            reverse[kCp1250Unicode[i]] = static_cast<uint8_t>(0x80 + i);
        }
    }
    return reverse;
}

constexpr std::array<uint8_t, kReverseSize> kUnicodeToCp1250 = BuildReverse();

}  // namespace

uint16_t UnicodeToInternal(char16_t unit) {
    if (unit < 0x80)
        return unit;
    if (unit < kReverseSize && kUnicodeToCp1250[unit] != 0)
        return kUnicodeToCp1250[unit];
    if (unit > 0xFF)
        return unit;
    return unit >= 0xC0 && unit != 0xD7 && unit != 0xF7 ? kNoInternalLetter : kNoInternalCode;
}

std::u16string UnicodeToInternal(std::u16string_view units) {
    std::u16string codes(units.size(), u'\0');
    std::transform(units.begin(), units.end(), codes.begin(),
                   [](char16_t unit) { return static_cast<char16_t>(UnicodeToInternal(unit)); });
    return codes;
}

char16_t InternalToUnicode(uint8_t byte) {
    return byte < 0x80 ? byte : kCp1250Unicode[byte - 0x80];
}

std::u16string InternalToUnicode(const char* bytes, std::size_t count) {
    if (bytes == nullptr)
        return {};
    if (count == UpToNul)
        count = std::strlen(bytes);
    std::u16string units(count, u'\0');
    for (std::size_t i = 0; i < count; ++i) {
        units[i] = InternalToUnicode(static_cast<uint8_t>(bytes[i]));
    }
    return units;
}

uint16_t StoryUnitToInternal(char16_t unit) {
    if (unit == 0x00AD)
        return DiscretionaryHyphen;
    // The control character U+001F shares its number with the discretionary
    // hyphen's code; read as that, a text holding it (a file made into a story)
    // would lose it to the hyphenation commands.
    if (unit == DiscretionaryHyphen)
        return kNoInternalCode;
    return UnicodeToInternal(unit);
}

}  // namespace tarnik
