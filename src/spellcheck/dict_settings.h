// The spell checker's settings: section "1Slownik" of the settings store.
//
//   2SlownikiUzytkownika          useUserDictionary   (1)
//   3PominWERSALIKI               skipCapitals        (1)
//   4PominCYFRY                   skipDigits          (1)
//   5ZawszeSugeruj                alwaysSuggest       (1)
//   6SprawdzSlowoSkrotAktywny     checkWordShortcutOn (1)
//   7SprawdzSlowoSkrot            checkWordShortcut   ("Brak")
//   8SprawdzLancuchSkrotAktywny   checkStoryShortcutOn (1)
//   9SprawdzLancuchSkrot          checkStoryShortcut  ("Brak")
//   ASprawdzDokumentSkrotAktywny  checkDocumentShortcutOn (1)
//   BSprawdzDokumentSkrot         checkDocumentShortcut ("Brak")
//   CSugestieWgTrafnosci          rankSuggestions     (1)
//
// The shortcut keys are kept for the file's sake: they are read and written
// with the others, and nothing acts on them. "Brak" means no shortcut.
// rankSuggestions puts the likeliest suggestion first (speller/ranked_suggestions.h);
// 0 gives the speller's whole list in alphabetical order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_check.h"

namespace tarnik {

inline constexpr char kDictSettingsSection[] = "1Slownik";
// The keys a front end sets by name.
inline constexpr char kDictUseUserDictionaryKey[] = "2SlownikiUzytkownika";
inline constexpr char kDictSkipCapitalsKey[] = "3PominWERSALIKI";
inline constexpr char kDictSkipDigitsKey[] = "4PominCYFRY";
inline constexpr char kDictRankSuggestionsKey[] = "CSugestieWgTrafnosci";
inline constexpr char kNoShortcut[] = "Brak";
// A shortcut text holds at most this many bytes.
inline constexpr std::size_t kMaxShortcutText = 10;

struct DictSettings {
    bool useUserDictionary = true;
    bool skipCapitals = true;
    bool skipDigits = true;
    bool alwaysSuggest = true;
    bool checkWordShortcutOn = true;
    std::string checkWordShortcut = kNoShortcut;
    bool checkStoryShortcutOn = true;
    std::string checkStoryShortcut = kNoShortcut;
    bool checkDocumentShortcutOn = true;
    std::string checkDocumentShortcut = kNoShortcut;
    bool rankSuggestions = true;
};

// Every key, a missing one as its default.
DictSettings LoadDictSettings();

// Writes all eleven keys in the order above, then completes the write; a failed
// save is shown to the user.
void SaveDictSettings(const DictSettings& settings);

// Checks the section "1Slownik" of a settings file's text as every section is
// checked (CheckSettingsSection): the keys above, the flags 0 or 1, the
// shortcuts no longer than their field.
std::vector<SettingsProblem> CheckDictSettingsText(std::string_view text);

}  // namespace tarnik
