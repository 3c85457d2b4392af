#include "text/unicode_case.h"

#include "charsets/char_classes.h"

namespace tarnik {

namespace {

// Pairs where the capital is the even code and the small letter the next one.
bool EvenCapital(char16_t u) {
    return (u >= 0x100 && u <= 0x137) || (u >= 0x14A && u <= 0x177) || (u >= 0x460 && u <= 0x481) ||
           (u >= 0x48A && u <= 0x4BF) || (u >= 0x4D0 && u <= 0x52F);
}

// Pairs where the capital is the odd code.
bool OddCapital(char16_t u) {
    return (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E) || (u >= 0x4C1 && u <= 0x4CE);
}

}  // namespace

char16_t LowerUnit(char16_t u) {
    if (u >= 'A' && u <= 'Z')
        return static_cast<char16_t>(u + 0x20);
    if (u < 0xC0)
        return u;
    if (u <= 0xDE)
        return u == 0xD7 ? u : static_cast<char16_t>(u + 0x20);
    if (EvenCapital(u))
        return (u % 2 == 0) ? static_cast<char16_t>(u + 1) : u;
    if (OddCapital(u))
        return (u % 2 == 1) ? static_cast<char16_t>(u + 1) : u;
    if (u == 0x178)
        return 0xFF;
    if (u == 0x386)
        return 0x3AC;
    if (u >= 0x388 && u <= 0x38A)
        return static_cast<char16_t>(u + 0x25);
    if (u == 0x38C)
        return 0x3CC;
    if (u == 0x38E || u == 0x38F)
        return static_cast<char16_t>(u + 0x3F);
    if (u >= 0x391 && u <= 0x3AB && u != 0x3A2)
        return static_cast<char16_t>(u + 0x20);
    if (u >= 0x400 && u <= 0x40F)
        return static_cast<char16_t>(u + 0x50);
    if (u >= 0x410 && u <= 0x42F)
        return static_cast<char16_t>(u + 0x20);
    return u;
}

char16_t UpperUnit(char16_t u) {
    if (u >= 'a' && u <= 'z')
        return static_cast<char16_t>(u - 0x20);
    if (u < 0xE0)
        return u;
    if (u <= 0xFE)
        return u == 0xF7 ? u : static_cast<char16_t>(u - 0x20);
    if (u == 0xFF)
        return 0x178;
    if (EvenCapital(u))
        return (u % 2 == 1) ? static_cast<char16_t>(u - 1) : u;
    if (OddCapital(u))
        return (u % 2 == 0) ? static_cast<char16_t>(u - 1) : u;
    if (u == 0x3AC)
        return 0x386;
    if (u >= 0x3AD && u <= 0x3AF)
        return static_cast<char16_t>(u - 0x25);
    if (u == 0x3CC)
        return 0x38C;
    if (u == 0x3CD || u == 0x3CE)
        return static_cast<char16_t>(u - 0x3F);
    if (u >= 0x3B1 && u <= 0x3CB && u != 0x3C2)
        return static_cast<char16_t>(u - 0x20);
    if (u >= 0x430 && u <= 0x44F)
        return static_cast<char16_t>(u - 0x20);
    if (u >= 0x450 && u <= 0x45F)
        return static_cast<char16_t>(u - 0x50);
    return u;
}

std::u16string LoweredUnits(std::u16string_view units) {
    std::u16string lower(units);
    for (char16_t& u : lower)
        u = LowerUnit(u);
    return lower;
}

namespace {

// The case class of a word whose characters `kind` sorts: kCaseSmall,
// kCaseInitial (a capital; kCaseCapitals after the first), or kCaseDigit or
// kCaseOther. The flags then say the word's pattern.
template <typename Text, typename Kind>
uint16_t CaseClassOf(const Text& word, Kind kind) {
    uint16_t flags = 0;
    for (size_t i = 0; i < word.size(); ++i) {
        uint16_t k = kind(word[i]);
        flags |= (k == kCaseInitial && i > 0) ? kCaseCapitals : k;
    }
    if (flags & kCaseCapitals) {
        if (flags & kCaseSmall)
            flags = static_cast<uint16_t>((flags & ~(kCaseCapitals | kCaseSmall)) | kCaseMixed);
        if (flags & kCaseCapitals)
            flags &= static_cast<uint16_t>(~kCaseInitial);
    }
    if ((flags & kCaseSmall) && (flags & kCaseInitial))
        flags &= static_cast<uint16_t>(~kCaseSmall);
    return flags;
}

uint16_t DigitOrOther(bool digit) {
    return digit ? kCaseDigit : kCaseOther;
}

}  // namespace

uint16_t UnitsCaseClass(std::u16string_view units) {
    return CaseClassOf(units, [](char16_t u) -> uint16_t {
        if (UpperUnit(u) != u)
            return kCaseSmall;
        if (LowerUnit(u) != u)
            return kCaseInitial;
        return DigitOrOther(u >= '0' && u <= '9');
    });
}

uint16_t WordCaseClass(std::string_view cp1250) {
    return CaseClassOf(cp1250, [](char ch) -> uint16_t {
        auto c = static_cast<uint8_t>(ch);
        if (IsLower(c))
            return kCaseSmall;
        if (IsUpper(c))
            return kCaseInitial;
        return DigitOrOther(IsDigit(c));
    });
}

void ApplyCaseToUnits(std::u16string& units, uint16_t flags) {
    if (units.empty())
        return;
    if (flags & kCaseCapitals) {
        for (char16_t& u : units)
            u = UpperUnit(u);
    } else if (flags & kCaseInitial) {
        units[0] = UpperUnit(units[0]);
    }
}

void ApplyWordCase(char* cp1250, uint16_t flags) {
    if (!cp1250 || !*cp1250)
        return;
    if (flags & kCaseCapitals) {
        ToUpperInPlace(cp1250);
    } else if (flags & kCaseInitial) {
        cp1250[0] = static_cast<char>(ToUpper(static_cast<uint8_t>(cp1250[0])));
    }
}

bool ReplacementFollowsCase(std::u16string_view word, std::u16string_view replacement) {
    constexpr uint16_t kPattern = kCaseInitial | kCaseCapitals | kCaseSmall | kCaseMixed;
    return (UnitsCaseClass(word) & kPattern) == (UnitsCaseClass(replacement) & kPattern);
}

}  // namespace tarnik
