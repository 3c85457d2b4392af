#include "charsets/utf8.h"

#include "charsets/char_classes.h"
#include "charsets/internal_code.h"

namespace tarnik {

namespace {

// Decodes the character at text[position] and moves past it. A malformed
// sequence gives U+FFFD and is left at its longest well-formed beginning, so the
// next byte starts afresh.
char32_t DecodeUtf8(std::string_view text, std::size_t& position) {
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
        return kReplacementCharacter;
    }
    for (; following > 0; --following) {
        if (position >= text.size())
            return kReplacementCharacter;
        auto next = static_cast<uint8_t>(text[position]);
        if (next < low || next > high)
            return kReplacementCharacter;
        value = (value << 6) | (next & 0x3F);
        ++position;
        low = 0x80;
        high = 0xBF;
    }
    return value;
}

void AppendUtf8(std::string& out, char32_t c) {
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

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t position = 0; position < text.size();) {
        char32_t c = DecodeUtf8(text, position);
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacementCharacter);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::u16string Utf8ToInternal(std::string_view text) {
    std::u16string codes = Utf8ToUtf16(text);
    for (char16_t& code : codes)
        code = static_cast<char16_t>(StoryUnitToInternal(code));
    return codes;
}

std::string Utf8ToCp1250(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t position = 0; position < text.size();) {
        char32_t c = DecodeUtf8(text, position);
        uint16_t code = c < 0x10000 ? StoryUnitToInternal(static_cast<char16_t>(c)) : 0xFFFF;
        out.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
    }
    return out;
}

std::string Cp1250ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char byte : text) {
        char16_t unit = byte == static_cast<char>(DiscretionaryHyphen)
                            ? u'\u00AD'
                            : InternalToUnicode(static_cast<uint8_t>(byte));
        AppendUtf8(out, unit == kNoUnicode ? kReplacementCharacter : unit);
    }
    return out;
}

}  // namespace tarnik
