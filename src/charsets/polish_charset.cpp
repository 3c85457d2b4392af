#include "charsets/polish_charset.h"

#include <algorithm>
#include <cstring>

#include "charsets/polish_alphabet.h"

namespace tarnik {

namespace {

constexpr std::array<std::string_view, PolishCharset::SetCount> kSetNames = {"bez", "iso", "win",
                                                                             "mac"};

// Positions 0-8: ą ć ę ł ń ó ś ź ż; 9-17: the capitals; 18-30: « » ’ „ ” “ ” — – ™ ® © •
// (the closing double quote stands twice). "iso" keeps cp1250's typographic codes.
constexpr std::array<std::string_view, PolishCharset::SetCount> kSetLetters = {
    "acelnoszzACELNOSZZ",
    "\xB1\xE6\xEA\xB3\xF1\xF3\xB6\xBC\xBF\xA1\xC6\xCA\xA3\xD1\xD3\xA6\xAC\xAF"
    "\xAB\xBB\x92\x84\x94\x93\x94\x97\x96\x99\xAE\xA9\x95",
    "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"
    "\xAB\xBB\x92\x84\x94\x93\x94\x97\x96\x99\xAE\xA9\x95",
    "\x88\x8D\xAB\xB8\xC4\x97\xE6\x90\xFD\x84\x8C\xA2\xFC\xC1\xEE\xE5\x8F\xFB"
    "\xC7\xC8\xD5\xE3\xD3\xD2\xD3\xD1\xD0\xAA\xA8\xA9\xA5",
};

constexpr std::size_t kPolishLetterCount = 18;
constexpr std::size_t kCaseOffset = 9;  // letter i and its capital i + 9
constexpr int kWinSet = 2;

constexpr uint8_t kFirstLetterRank = 77;

int ValidSet(int set) {
    return set >= 0 && set < PolishCharset::SetCount ? set : 0;
}

uint8_t Byte(std::string_view text, std::size_t i) {
    return static_cast<uint8_t>(text[i]);
}

// A letter of the Polish alphabet (given in cp1250) as written in `letters`.
uint8_t InSet(uint8_t winLetter, std::string_view letters) {
    std::size_t position =
        kSetLetters[kWinSet].substr(0, kPolishLetterCount).find(static_cast<char>(winLetter));
    return position == std::string_view::npos ? winLetter : Byte(letters, position);
}

}  // namespace

// The external set is chosen first, so that choosing the internal one builds
// everything at once.
PolishCharset::PolishCharset(int internal, int external) : externalSet(ValidSet(external)) {
    SetInternal(internal);
}

PolishCharset::PolishCharset(std::string_view internalName, std::string_view externalName)
    : PolishCharset(FindSet(internalName), FindSet(externalName)) {}

int PolishCharset::FindSet(std::string_view name) {
    std::string lowered(name);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    for (int set = 0; set < SetCount; ++set) {
        if (lowered.find(kSetNames[set]) != std::string::npos)
            return set;
    }
    return -1;
}

std::string_view PolishCharset::SetName(int set) {
    return kSetNames[ValidSet(set)];
}

std::string_view PolishCharset::SetLetters(int set) {
    return kSetLetters[ValidSet(set)];
}

void PolishCharset::SetInternal(int set) {
    set = ValidSet(set);
    if (set == internalSet)
        return;
    internalSet = set;
    BuildClassesCaseMapsAndOrders();
    BuildConversionMaps();
}

void PolishCharset::SetInternal(std::string_view name) {
    SetInternal(FindSet(name));
}

void PolishCharset::SetExternal(int set) {
    set = ValidSet(set);
    if (set == externalSet)
        return;
    externalSet = set;
    BuildConversionMaps();
}

void PolishCharset::SetExternal(std::string_view name) {
    SetExternal(FindSet(name));
}

void PolishCharset::BuildClassesCaseMapsAndOrders() {
    std::string_view letters = kSetLetters[internalSet];

    flags.fill(0);
    for (std::size_t i = 0; i < letters.size(); ++i) {
        flags[Byte(letters, i)] |= i < kPolishLetterCount ? kPolishLetter : kTypographic;
    }

    for (int c = 0; c < 256; ++c) {
        lowerMap[c] = upperMap[c] = static_cast<uint8_t>(c);
    }
    for (int c = 'a'; c <= 'z'; ++c) {
        upperMap[c] = static_cast<uint8_t>(c - 'a' + 'A');
        lowerMap[c - 'a' + 'A'] = static_cast<uint8_t>(c);
    }
    for (std::size_t i = 0; i < kCaseOffset; ++i) {
        upperMap[Byte(letters, i)] = Byte(letters, i + kCaseOffset);
        lowerMap[Byte(letters, i + kCaseOffset)] = Byte(letters, i);
    }

    // ASCII non-letters rank 1-76 in code order, then the alphabet.
    caseSensitiveOrder.fill(0);
    uint8_t rank = 1;
    for (int c = 0; c < 0x80; ++c) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            caseSensitiveOrder[c] = rank++;
    }
    caseInsensitiveOrder = caseSensitiveOrder;
    caseInsensitiveOrder[0] = 0;
    // In "bez" a Polish letter is its base letter, which already has its rank.
    std::array<bool, 256> ranked{};
    for (std::size_t i = 0; i < kPolishAlphabet.size(); ++i) {
        uint8_t c = InSet(Byte(kPolishAlphabet, i), letters);
        if (ranked[c])
            continue;
        ranked[c] = true;
        caseSensitiveOrder[c] = static_cast<uint8_t>(kFirstLetterRank + i);
        caseInsensitiveOrder[c] = static_cast<uint8_t>(kFirstLetterRank + i / 2);
    }
}

void PolishCharset::BuildConversionMaps() {
    for (int c = 0; c < 256; ++c) {
        toExternalMap[c] = toInternalMap[c] = static_cast<uint8_t>(c);
    }
    std::string_view internal = kSetLetters[internalSet];
    std::string_view external = kSetLetters[externalSet];
    // A byte standing twice in the internal set ("z" and "Z" in "bez", the closing
    // quote everywhere) goes out as its first partner, but each of its partners
    // comes back to it: ź and ż both come into "bez" as z.
    for (std::size_t i = 0; i < internal.size() && i < external.size(); ++i) {
        if (internal.find(internal[i]) == i)
            toExternalMap[Byte(internal, i)] = Byte(external, i);
        toInternalMap[Byte(external, i)] = Byte(internal, i);
    }
}

uint8_t PolishCharset::ToExternal(uint8_t c) const {
    return internalSet == 0 ? c : toExternalMap[c];
}

uint8_t PolishCharset::ToInternal(uint8_t c) const {
    return externalSet == 0 ? c : toInternalMap[c];
}

void PolishCharset::MapBytes(char* text, std::size_t length, const ByteMap& map) {
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(map[static_cast<uint8_t>(text[i])]);
    }
}

namespace {

std::size_t RunLength(const char* text, int count) {
    return count > 0 ? static_cast<std::size_t>(count) : std::strlen(text);
}

}  // namespace

void PolishCharset::ToExternalInPlace(char* text, int count) const {
    if (internalSet != 0 && text != nullptr)
        MapBytes(text, RunLength(text, count), toExternalMap);
}

void PolishCharset::ToInternalInPlace(char* text, int count) const {
    if (externalSet != 0 && text != nullptr)
        MapBytes(text, RunLength(text, count), toInternalMap);
}

std::string PolishCharset::ToExternal(std::string_view source) const {
    std::string out(source);
    if (internalSet != 0)
        MapBytes(out.data(), out.size(), toExternalMap);
    return out;
}

std::string PolishCharset::ToInternal(std::string_view source) const {
    std::string out(source);
    if (externalSet != 0)
        MapBytes(out.data(), out.size(), toInternalMap);
    return out;
}

void PolishCharset::LowerInPlace(char* text) const {
    if (text != nullptr)
        MapBytes(text, std::strlen(text), lowerMap);
}

void PolishCharset::UpperInPlace(char* text) const {
    if (text != nullptr)
        MapBytes(text, std::strlen(text), upperMap);
}

uint8_t PolishCharset::Rank(uint8_t c, Order order) const {
    return order == Order::CaseSensitive ? caseSensitiveOrder[c] : caseInsensitiveOrder[c];
}

int PolishCharset::Compare(const char* a, const char* b, Order order, int maxLength,
                           const char* ignore) const {
    if (a == nullptr || b == nullptr)
        return 0;
    const ByteMap& ranks =
        order == Order::CaseSensitive ? caseSensitiveOrder : caseInsensitiveOrder;
    auto ignored = [ignore](char c) {
        return ignore != nullptr && c != '\0' && std::strchr(ignore, c) != nullptr;
    };
    for (int equal = 0; equal < maxLength; ++equal) {
        while (ignored(*a))
            ++a;
        while (ignored(*b))
            ++b;
        int difference = ranks[static_cast<uint8_t>(*a)] - ranks[static_cast<uint8_t>(*b)];
        if (difference != 0 || *a == '\0' || *b == '\0')
            return difference;
        ++a;
        ++b;
    }
    return 0;
}

}  // namespace tarnik
