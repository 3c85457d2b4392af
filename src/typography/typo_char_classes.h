// The character classes a typography run tests, rebuilt from the settings
// before every run: one 16-bit mask per cp1250 code, and the pair of marks for
// quotations inside quotations. A code of 256 or more (a character cp1250
// lacks) belongs to no class.
#pragma once

#include <array>
#include <cstdint>

#include "typography/typo_settings.h"

namespace tarnik {

enum TypoClass : uint16_t {
    kTypoSpace = 0x0001,              // space, no-break space, codes 15 and 16
    kTypoQuote = 0x0004,              // ’ " „ ” “ « »  (with fixQuotes)
    kTypoRemoveSpaceBefore = 0x0008,  // removeSpacesBeforeChars (when on)
    kTypoRemoveSpaceAfter = 0x0010,   // removeSpacesAfterChars (when on)
    kTypoInsertSpaceBefore = 0x0020,  // insertSpacesBeforeChars (when on)
    kTypoInsertSpaceAfter = 0x0040,   // insertSpacesAfterChars (when on)
    kTypoDash = 0x0080,               // - — –
    kTypoBreak = 0x0100,              // codes 4, 7, 10, 11, 13, 29
    kTypoSentencePunct = 0x0200,      // . , : ; ? !
    kTypoSeparator = 0x0400,          // codes 9, 11, 12
    kTypoOpenBracket = 0x1000,        // ( [ {
    kTypoCloseBracket = 0x2000,       // ) ] }
    kTypoRomanDigit = 0x4000,         // C D I L M V X
    kTypoRemoveChar = 0x8000,         // removeCharsList (when on)
    kTypoBlank = kTypoSpace | kTypoBreak | kTypoSeparator,
    kTypoSpacing = kTypoRemoveSpaceBefore | kTypoRemoveSpaceAfter | kTypoInsertSpaceBefore |
                   kTypoInsertSpaceAfter
};

// cp1250 codes the engine writes or looks for.
inline constexpr uint16_t kLowDoubleQuote = 0x84;    // „
inline constexpr uint16_t kRightDoubleQuote = 0x94;  // ”
inline constexpr uint16_t kLeftDoubleQuote = 0x93;   // “
inline constexpr uint16_t kRightSingleQuote = 0x92;  // ’
inline constexpr uint16_t kLeftGuillemet = 0xAB;     // «
inline constexpr uint16_t kRightGuillemet = 0xBB;    // »
inline constexpr uint16_t kEmDashCode = 0x97;        // —
inline constexpr uint16_t kEnDashCode = 0x96;        // –
inline constexpr uint16_t kNoBreakSpace = 0xA0;
inline constexpr uint16_t kPerMille = 0x89;  // ‰
inline constexpr uint16_t kEllipsis = 0x85;  // …

struct TypoCharClasses {
    std::array<uint16_t, 256> masks{};
    uint16_t innerOpen = kLowDoubleQuote;
    uint16_t innerClose = kRightDoubleQuote;
    // The dash put between spaces: — for dashStyle 0, – for any other value (a
    // stored value the preferences never write falls back to the default).
    uint16_t dash = kEnDashCode;

    // True when `code` is in any of `classes`.
    bool Is(uint16_t code, uint16_t classes) const { return code < 256 && (masks[code] & classes); }
};

// Classes and pairs from `settings`. An innerQuoteStyle outside 0..3 gives the
// pair of style 0.
TypoCharClasses BuildTypoCharClasses(const TypoSettings& settings);

}  // namespace tarnik
