#include "host/encoding.h"

#include <array>
#include <cstdint>

namespace tarnik::host {

namespace {

// The Windows-1250 code page, bytes 0x80-0xFF; U+FFFD where the page has no character.
constexpr std::array<char16_t, 128> kCp1250High = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFD, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

void AppendUtf8(std::string& out, uint32_t c) {
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

}  // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view text, size_t* errorOffset) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    auto fail = [&]() -> std::optional<std::u16string> {
        if (errorOffset)
            *errorOffset = i;
        return std::nullopt;
    };
    while (i < text.size()) {
        auto b = static_cast<uint8_t>(text[i]);
        uint32_t c;
        size_t extra;
        if (b < 0x80) {
            c = b;
            extra = 0;
        } else if (b >= 0xC2 && b < 0xE0) {
            c = b & 0x1F;
            extra = 1;
        } else if (b >= 0xE0 && b < 0xF0) {
            c = b & 0x0F;
            extra = 2;
        } else if (b >= 0xF0 && b < 0xF5) {
            c = b & 0x07;
            extra = 3;
        } else {
            return fail();
        }
        if (i + extra >= text.size() && extra > 0)
            return fail();
        for (size_t k = 1; k <= extra; ++k) {
            auto t = static_cast<uint8_t>(text[i + k]);
            if ((t & 0xC0) != 0x80)
                return fail();
            c = (c << 6) | (t & 0x3F);
        }
        if ((extra == 2 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) ||
            (extra == 3 && (c < 0x10000 || c > 0x10FFFF))) {
            return fail();
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += extra + 1;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Cp1250ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto b = static_cast<uint8_t>(ch);
        out.push_back(b < 0x80 ? static_cast<char16_t>(b) : kCp1250High[b - 0x80]);
    }
    return out;
}

std::string Cp1250ToUtf8(std::string_view text) {
    return Utf16ToUtf8(Cp1250ToUtf16(text));
}

std::string Utf16ToCp1250(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char byte = '?';
        for (size_t k = 0; k < kCp1250High.size(); ++k) {
            if (kCp1250High[k] == c && c != 0xFFFD) {
                byte = static_cast<char>(0x80 + k);
                break;
            }
        }
        out.push_back(byte);
    }
    return out;
}

std::string Utf8ToCp1250(std::string_view text) {
    auto utf16 = Utf8ToUtf16(text);
    return utf16 ? Utf16ToCp1250(*utf16) : std::string(text.size(), '?');
}

}  // namespace tarnik::host
