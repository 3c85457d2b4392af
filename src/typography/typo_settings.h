// The typography settings: which corrections a run makes, and the character
// and word lists that steer them. One record serves the whole process; it is
// loaded from the settings store before every command (typo_settings_store.h).
//
// Flags are 16-bit integers, 0 off and anything else on. Character lists are
// cp1250 bytes, each byte one character; loading takes spaces and tabs out of
// them, so that a space never acts as a list character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "typography/typo_word_list.h"

namespace tarnik {

// The dashes a run puts between spaces.
enum TypoDashStyle : int16_t { kEmDash = 0, kEnDash = 1 };

// The pairs for quotations inside quotations; the outermost is always „…”.
enum TypoInnerQuoteStyle : int16_t {
    kInnerLowHigh = 0,            // „ ”
    kInnerSingle = 1,             // ’ ’
    kInnerGuillemets = 2,         // « »
    kInnerReversedGuillemets = 3  // » «
};

// Longest character lists, in bytes.
inline constexpr std::size_t kTypoCharListCapacity = 255;
inline constexpr std::size_t kTypoRemoveListCapacity = 100;

struct TypoSettings {
    int16_t fixQuotes = 1;
    int16_t innerQuoteStyle = kInnerLowHigh;  // 0..3
    int16_t guessQuotes = 0;                  // guess open/close where the context leaves it open
    int16_t quoteSpaceFix = 0;  // with guessQuotes: insert or remove a space beside the mark
    int16_t fixDashes = 1;
    int16_t dashStyle = kEnDash;  // 0 or 1
    int16_t nbspAfterDashes = 1;
    int16_t removeRepeatedSpaces = 1;
    int16_t removeSpacesBefore = 1;
    std::string removeSpacesBeforeChars = ".,;:!?)]}";
    int16_t insertSpacesBefore = 1;
    std::string insertSpacesBeforeChars = "([{";
    int16_t removeSpacesAfter = 1;
    std::string removeSpacesAfterChars = "([{";
    int16_t insertSpacesAfter = 1;
    std::string insertSpacesAfterChars = ".,;:!?)]}";
    int16_t removeChars = 1;
    std::string removeCharsList;
    int16_t nbspAfterWords = 1;
    TypoWordList afterWordsList;
    int16_t nbspAfterDigits = 1;
    TypoWordList afterDigitsList;
    int16_t nbspBeforeWords = 1;
    TypoWordList beforeWordsList;
    int16_t useSpaceExceptions = 1;
    TypoWordList spaceExceptionsList;
    int16_t nbspBeforeDigits = 1;
    int16_t nbspBeforeRoman = 1;

    // Every field at its default, the word lists included.
    TypoSettings();
};

// The default word lists, as stored (cp1250, without padding).
extern const char* const kDefaultAfterWords;
extern const char* const kDefaultAfterDigits;
extern const char* const kDefaultBeforeWords;
extern const char* const kDefaultSpaceExceptions;

// Removes spaces and tabs from a character list.
std::string WithoutBlanks(std::string_view list);

}  // namespace tarnik
