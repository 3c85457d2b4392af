// The text codec both sides of the plug-in boundary share: UTF-8 (files,
// terminal, JSON), UTF-16 (host stories) and Windows-1250 (what the engines and
// the plug-in's dialogs hold).
//
// Malformed UTF-8 (a stray continuation byte, a cut or overlong sequence, an
// encoded surrogate, a value past U+10FFFF) has one explicit policy per use:
// - text a command is asked to change or save is refused: FindBadUtf8 gives the
//   byte offset of the first malformed piece, and the caller says so;
// - text only looked at (checked, shown, compared) has each malformed piece
//   replaced by one U+FFFD, and decoding goes on after it.
// A lone surrogate in UTF-16 is written as U+FFFD.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnik {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The byte that stands for the discretionary hyphen (U+00AD) in the
// Windows-1250 text the plug-in's engines keep.
inline constexpr char kDiscretionaryHyphenCode = 0x1F;

// The Windows-1250 characters of bytes 0x80-0xFF; 0 for the five bytes the
// code page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98).
inline constexpr std::array<char16_t, 128> kCp1250High = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

namespace codec_detail {

// Every character of the table lies below U+2200: the way back is one array.
inline constexpr std::size_t kReverseSize = 0x2200;

constexpr std::array<uint8_t, kReverseSize> BuildReverse() {
    std::array<uint8_t, kReverseSize> reverse{};
    for (std::size_t i = 0; i < kCp1250High.size(); ++i) {
        if (kCp1250High[i] != 0)
            reverse[kCp1250High[i]] = static_cast<uint8_t>(0x80 + i);
    }
    return reverse;
}

inline constexpr std::array<uint8_t, kReverseSize> kReverse = BuildReverse();

}  // namespace codec_detail

// The character of a Windows-1250 byte; 0 for the five undefined bytes.
constexpr char16_t Cp1250ToUnicode(uint8_t byte) {
    return byte < 0x80 ? byte : kCp1250High[byte - 0x80];
}

// The Windows-1250 byte of a UTF-16 unit; none when the code page lacks it.
constexpr std::optional<uint8_t> UnicodeToCp1250(char16_t unit) {
    if (unit < 0x80)
        return static_cast<uint8_t>(unit);
    if (unit < codec_detail::kReverse.size() && codec_detail::kReverse[unit] != 0)
        return codec_detail::kReverse[unit];
    return std::nullopt;
}

constexpr bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}
constexpr bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

// Decodes the character at text[position] and moves past it. A malformed
// piece gives nullopt and is left at its longest well-formed beginning, so the
// next byte starts afresh.
inline std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& position) {
    auto lead = static_cast<uint8_t>(text[position++]);
    if (lead < 0x80)
        return lead;
    int following = 0;
    char32_t value = 0;
    uint8_t low = 0x80, high = 0xBF;  // the range of the next byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        following = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        following = 2;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;  // overlong
        if (lead == 0xED)
            high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        following = 3;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;  // overlong
        if (lead == 0xF4)
            high = 0x8F;  // past U+10FFFF
    } else {
        return std::nullopt;
    }
    for (; following > 0; --following) {
        if (position >= text.size())
            return std::nullopt;
        auto next = static_cast<uint8_t>(text[position]);
        if (next < low || next > high)
            return std::nullopt;
        value = (value << 6) | (next & 0x3F);
        ++position;
        low = 0x80;
        high = 0xBF;
    }
    return value;
}

// The byte offset of the first malformed piece of `text`; none when it is all
// well-formed UTF-8.
inline std::optional<std::size_t> FindBadUtf8(std::string_view text) {
    for (std::size_t position = 0; position < text.size();) {
        std::size_t start = position;
        if (!DecodeUtf8(text, position))
            return start;
    }
    return std::nullopt;
}

inline void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

inline void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

// Each malformed piece becomes one U+FFFD; callers that must refuse bad text
// ask FindBadUtf8 first.
inline std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t position = 0; position < text.size();)
        AppendUtf16(out, DecodeUtf8(text, position).value_or(kReplacementCharacter));
    return out;
}

inline std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(
                out, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacementCharacter : unit);
        }
    }
    return out;
}

// Windows-1250 to UTF-16; an undefined byte gives U+FFFD.
inline std::u16string Cp1250ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char byte : text) {
        char16_t unit = Cp1250ToUnicode(static_cast<uint8_t>(byte));
        out.push_back(unit == 0 && byte != 0 ? char16_t{0xFFFD} : unit);
    }
    return out;
}

// Windows-1250 as the plug-in hands it over (engine text, dialog texts):
// code 0x1F is the discretionary hyphen, U+00AD; an undefined byte gives U+FFFD.
inline std::string Cp1250ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char byte : text) {
        char16_t unit = byte == kDiscretionaryHyphenCode
                            ? char16_t{0x00AD}
                            : Cp1250ToUnicode(static_cast<uint8_t>(byte));
        AppendUtf8(out, unit == 0 && byte != 0 ? kReplacementCharacter : unit);
    }
    return out;
}

// The reverse, one byte per character: U+00AD gives 0x1F; a character without
// a Windows-1250 byte, the control character U+001F (which would pass for the
// discretionary hyphen) and each malformed piece give '?', which is no letter,
// so the engines see a word break there.
inline std::string Utf8ToCp1250(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t position = 0; position < text.size();) {
        char32_t c = DecodeUtf8(text, position).value_or(kReplacementCharacter);
        std::optional<uint8_t> byte;
        if (c == 0x00AD)
            byte = static_cast<uint8_t>(kDiscretionaryHyphenCode);
        else if (c < 0x10000 && c != static_cast<char32_t>(kDiscretionaryHyphenCode))
            byte = UnicodeToCp1250(static_cast<char16_t>(c));
        out.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return out;
}

}  // namespace tarnik
