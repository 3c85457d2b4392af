// The typography settings in the settings store: section "1Typografia", one key
// per field.
//
//   2Cudzyslow          fixQuotes              11UsunSpacjePrzed  removeSpacesBefore
//   3Cytat              innerQuoteStyle        11Znaki            removeSpacesBeforeChars
//   23ZgadnijCudzyslow  guessQuotes            12WstawSpacjePrzed insertSpacesBefore
//   24CudzyslowSpacja   quoteSpaceFix          12Znaki            insertSpacesBeforeChars
//   8SpacjaLacz         fixDashes              13UsunSpacjePo     removeSpacesAfter
//   9Pauza              dashStyle              13Znaki            removeSpacesAfterChars
//   27LaczPoPauzach     nbspAfterDashes        14WstawSpacjePo    insertSpacesAfter
//   5WielokrotneSpacje  removeRepeatedSpaces   14Znaki            insertSpacesAfterChars
//   AUsuwajZnaki        removeChars            BZnaki             removeCharsList
//   7LaczliweSpacje     nbspAfterWords         18nbspAfterWords   afterWordsList
//   15LaczPoCyfrach     nbspAfterDigits        17nbspAfterDigits  afterDigitsList
//   22LaczPrzedSlowami  nbspBeforeWords        21nbspBeforeWords  beforeWordsList
//   19insremSpcExc      useSpaceExceptions     20SinsremSpcExc    spaceExceptionsList
//   25LaczPrzedCyframi  nbspBeforeDigits       26LaczPrzedCyframiRzymskimi  nbspBeforeRoman
//
// Flags and numbers are decimal integers; lists are cp1250 text, word lists
// without the padding the record keeps around them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_check.h"
#include "platform/settings_store.h"

namespace tarnik {

inline constexpr char kTypoSettingsSection[] = "1Typografia";
inline constexpr char kTypoInnerQuoteKey[] = "3Cytat";  // 0 to 3
inline constexpr char kTypoDashStyleKey[] = "9Pauza";   // 0 em dash, 1 en dash

// The rules a front end switches on and off by name (a flag each).
inline constexpr NamedSetting kTypoRuleNames[] = {
    {"quotes", "2Cudzyslow"},
    {"guess-quotes", "23ZgadnijCudzyslow"},
    {"quote-space-fix", "24CudzyslowSpacja"},
    {"dashes", "8SpacjaLacz"},
    {"dash-binding", "27LaczPoPauzach"},
    {"repeated-spaces", "5WielokrotneSpacje"},
    {"remove-space-before", "11UsunSpacjePrzed"},
    {"insert-space-before", "12WstawSpacjePrzed"},
    {"remove-space-after", "13UsunSpacjePo"},
    {"insert-space-after", "14WstawSpacjePo"},
    {"remove-chars", "AUsuwajZnaki"},
    {"after-words", "7LaczliweSpacje"},
    {"after-digits", "15LaczPoCyfrach"},
    {"before-words", "22LaczPrzedSlowami"},
    {"space-exceptions", "19insremSpcExc"},
    {"before-digits", "25LaczPrzedCyframi"},
    {"before-roman", "26LaczPrzedCyframiRzymskimi"},
};

// Reads every key into Typography().settings; a missing key gives the field's
// default. Character lists are read up to their capacity (255 bytes, 100 for
// the removed characters) and lose their spaces and tabs. A word list is read
// up to 253 bytes; an empty one gives the default list (so a list emptied in
// the editor comes back as the default). A stored number beyond 16 bits is held
// as the nearest 16-bit value; an innerQuoteStyle outside 0..3 is read as 0 and
// a dashStyle other than 0 as 1 (the en dash, the default), as the preferences
// dialog can show no other.
void TypoSettingsLoad();

// Writes every key from Typography().settings, in a fixed order, then flushes
// the store; a failed save is shown to the user.
void TypoSettingsSave();

// Checks the section "1Typografia" of a settings file's text (the faults that
// loading would pass over: an unknown key is never read, "x" reads as 0, a long
// list is cut): every key must be one of the section's, a flag 0 or 1, "3Cytat"
// 0 to 3, "9Pauza" 0 or 1, and a list no longer than its field. Other sections
// are not looked at.
std::vector<SettingsProblem> CheckTypoSettingsText(std::string_view text);

}  // namespace tarnik
