#include "hyphcommands/hyph_case_class.h"

#include "charsets/char_classes.h"

namespace tarnik {

namespace {

uint16_t CharacterClass(uint8_t c) {
    if (IsDigit(c) || c == '.')
        return kHyphCaseDigit;
    if (c >= 'a' && c <= 'z')
        return kHyphCaseSmall;
    if ((c >= 'A' && c <= 'Z') || IsUpper(c))
        return kHyphCaseCapital;
    if (IsLower(c))
        return kHyphCaseSmall;
    return kHyphCaseOther;
}

}  // namespace

uint16_t HyphCaseClass(std::string_view word) {
    if (word.size() < 2)
        return 0;
    const uint16_t first = CharacterClass(static_cast<uint8_t>(word[0]));
    uint16_t rest = 0;
    for (char c : word.substr(1))
        rest |= CharacterClass(static_cast<uint8_t>(c));
    if (first == rest)
        return rest;
    if (first == kHyphCaseCapital && rest == kHyphCaseSmall)
        return kHyphCaseCapitalised;
    if (first == kHyphCaseSmall && rest == kHyphCaseCapital)
        return kHyphCaseSmallThenCapitals;
    return rest;
}

}  // namespace tarnik
