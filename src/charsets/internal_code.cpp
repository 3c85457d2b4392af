#include "charsets/internal_code.h"

#include <algorithm>
#include <cstring>

#include "charsets/char_classes.h"
#include "tarnik/text_codec.h"

namespace tarnik {

uint16_t UnicodeToInternal(char16_t unit) {
    if (std::optional<uint8_t> byte = UnicodeToCp1250(unit))
        return *byte;
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
    char16_t unit = Cp1250ToUnicode(byte);
    return unit == 0 && byte != 0 ? kNoUnicode : unit;
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
