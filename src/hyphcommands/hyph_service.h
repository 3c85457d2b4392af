// The hyphenation service of HyphXT: the hyphenation dictionary, the settings
// and the letter classes its users read, one object per process.
//
// HyphXT prepares the service when it installs its menu: it builds the letter
// classes, reads the settings (section "1Dzielenie") and opens "PLHYPH.DAT" from
// the plug-in folder with the user's exceptions "PLHYPH.USR". The dictionary
// then stays open until the host quits. A command that finds it closed (the
// data file was missing) opens it again, so putting the file in place needs no
// restart.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "charsets/hyph_letter_classes.h"
#include "hyphenation/hyph_dict.h"
#include "platform/settings_check.h"
#include "platform/settings_store.h"

namespace tarnik {

// Results of OpenHyphenation.
inline constexpr int16_t kHyphOpenNoData = -10;        // "PLHYPH.DAT" did not open
inline constexpr int16_t kHyphOpenNoExceptions = -20;  // "PLHYPH.USR" could not be loaded

inline constexpr char kHyphDataFile[] = "PLHYPH.DAT";
inline constexpr char kHyphUserFile[] = "PLHYPH.USR";
inline constexpr char kHyphSettingsSection[] = "1Dzielenie";
inline constexpr char kHyphUseExceptionsKey[] = "2UzywajWyjatkow";

// The settings a front end switches on and off by name (a flag each).
inline constexpr NamedSetting kHyphSettingNames[] = {
    {"exceptions", kHyphUseExceptionsKey},
    {"typography-first", "3NajpierTypografia"},
    {"skip-capitals", "4PominWersaliki"},
    {"skip-mixed-case", "5PominXPress"},
};

// The settings of section "1Dzielenie", each under its key. The three
// shortcuts ("Brak": none) are kept with the others and read by nothing else.
struct HyphSettings {
    int32_t useExceptions = 1;               // "2UzywajWyjatkow": consult the user's exceptions
    int32_t typographyFirst = 0;             // "3NajpierTypografia": typography before hyphenation
    int32_t skipCapitals = 1;                // "4PominWersaliki": leave words in capitals (NATO)
    int32_t skipMixedCase = 1;               // "5PominXPress": leave words like XPress, iPhone
    int32_t autoHyphenationOff = 1;          // "6AutomatycznieWylaczAutoHyphenation": fix, unasked
    int32_t hyphenateShortcutOn = 1;         // "7WstawSkrotAktywny"
    std::string hyphenateShortcut = "Brak";  // "8WstawSkrot"
    int32_t removeShortcutOn = 1;            // "9UsunSkrotAktywny"
    std::string removeShortcut = "Brak";     // "AUsunSkrot"
    int32_t suggestShortcutOn = 1;           // "BSugerujSkrotAktywny"
    std::string suggestShortcut = "Brak";    // "CSugerujSkrot"
};

// A shortcut text holds up to this many characters.
inline constexpr size_t kHyphShortcutLength = 10;

struct HyphService {
    std::unique_ptr<HyphDict> dict;
    HyphSettings settings;
    HyphLetterClasses letters = BuildHyphLetterClasses();
};

// The process-wide service.
HyphService& Hyphenation();

// Reads the eleven settings from section "1Dzielenie" of the settings store, in
// the order of HyphSettings; a missing key gives its default.
void LoadHyphSettings();

// Checks the section "1Dzielenie" of a settings file's text as every section
// is checked (CheckSettingsSection): the keys above, the flags 0 or 1, the
// shortcuts no longer than their field.
std::vector<SettingsProblem> CheckHyphSettingsText(std::string_view text);

// Writes the eleven settings into section "1Dzielenie" in the same order and
// completes the write; a failed save is shown to the user.
void SaveHyphSettings();

// Opens the dictionary unless it is open: "PLHYPH.DAT" from the plug-in folder
// (a plug-in folder that already names the data file is taken as it is), and,
// with `loadUserList`, the user's exceptions from "PLHYPH.USR" beside it, or in
// the per-user folder when the plug-in folder cannot be written. Each failure
// is shown to the user with the path and the error number. 0; kHyphOpenNoData,
// and no dictionary; kHyphOpenNoExceptions, and the dictionary stays open with
// the data file's seed list in place of the user's list.
int16_t OpenHyphenation(bool loadUserList);

// The exceptions file a run names instead of "PLHYPH.USR"; empty goes back to
// PLHYPH.USR in its usual place.
void SetHyphUserFile(std::string path);

// What HyphXT does before it installs its menu: the letter classes, the
// settings, then the dictionary with the user's exceptions.
void PrepareHyphenation();

// Frees the dictionary (the host quits).
void CloseHyphenation();

// The data file's path for a plug-in folder, and the folder "PLHYPH.USR" is
// looked for in before the writable-place rule.
std::string HyphDataPath(const std::string& pluginFolder);
std::string HyphUserFolder(const std::string& pluginFolder);

}  // namespace tarnik
