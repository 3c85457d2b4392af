// The hyphenation service of HyphXT: the hyphenation dictionary and the settings
// its users read, one object per process.
//
// HyphXT prepares the service when it installs its menu: it reads the settings
// (section "1Dzielenie") and opens "PLHYPH.DAT" from the plug-in folder with the
// user's exceptions "PLHYPH.USR". The dictionary then stays open until the host
// quits. A command that finds it closed (the data file was missing) opens it
// again, so putting the file in place needs no restart.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hyphenation/hyph_dict.h"

namespace tarnik {

// Results of OpenHyphenation.
inline constexpr int16_t kHyphOpenNoData = -10;        // "PLHYPH.DAT" did not open
inline constexpr int16_t kHyphOpenNoExceptions = -20;  // "PLHYPH.USR" could not be loaded

inline constexpr char kHyphDataFile[] = "PLHYPH.DAT";
inline constexpr char kHyphUserFile[] = "PLHYPH.USR";
inline constexpr char kHyphSettingsSection[] = "1Dzielenie";

struct HyphSettings {
    // "2UzywajWyjatkow": hyphenation consults the user's exceptions.
    bool useExceptions = true;
};

struct HyphService {
    std::unique_ptr<HyphDict> dict;
    HyphSettings settings;
};

// The process-wide service.
HyphService& Hyphenation();

// Reads the settings from section "1Dzielenie" of the settings store; a
// missing key keeps its default.
void LoadHyphSettings();

// Opens the dictionary unless it is open: "PLHYPH.DAT" from the plug-in folder
// (a plug-in folder that already names the data file is taken as it is), and,
// with `loadUserList`, the user's exceptions from "PLHYPH.USR" beside it, or in
// the per-user folder when the plug-in folder cannot be written. Each failure
// is shown to the user with the path and the error number. 0; kHyphOpenNoData,
// and no dictionary; kHyphOpenNoExceptions, and the dictionary stays open with
// the data file's seed list in place of the user's list.
int16_t OpenHyphenation(bool loadUserList);

// What HyphXT does before it installs its menu: the settings, then the
// dictionary with the user's exceptions.
void PrepareHyphenation();

// Frees the dictionary (the host quits).
void CloseHyphenation();

// The data file's path for a plug-in folder, and the folder "PLHYPH.USR" is
// looked for in before the writable-place rule.
std::string HyphDataPath(const std::string& pluginFolder);
std::string HyphUserFolder(const std::string& pluginFolder);

}  // namespace tarnik
