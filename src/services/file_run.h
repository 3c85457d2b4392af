// Starting the plug-in for one run over a file: the file-level commands (check,
// hyphenate, typo) run the plug-in's own menu commands on a one-story document
// in a host of their own, so that every rule of a command applies.
//
// A file run gives the plug-in its places as values instead of letting it find
// them: the data folder (son.dic, PLHYPH.DAT, and the user's files beside them
// when that folder may be written), the per-user folder, the user dictionary,
// and the settings. It starts only the components the command needs, so a run
// opens (and may create) only the files of those: a typography run never
// touches user.dic or PLHYPH.USR. Its settings live in memory for the run: the
// settings file given is read, the run's own values are laid over it, and
// nothing is written back, neither there nor into the user's settings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/plugin_entry.h"
#include "tarnik/error.h"
#include "tarnik/xtabi.h"

namespace tarnik::services {

// One setting of a run, as the plug-in stores it: "1Dzielenie",
// "2UzywajWyjatkow", "0".
struct SettingValue {
    std::string section;
    std::string key;
    std::string value;
};

struct FileRun {
    std::string dataFolder = {};  // the plug-in's folder
    // The per-user folder; nullopt: the user's own, as the plug-in finds it in
    // a host; empty: none.
    std::optional<std::string> userFolder = {};
    std::string userDictionary = {};          // empty: user.dic in its usual place
    std::string userExceptions = {};          // empty: PLHYPH.USR in its usual place
    std::string settingsFile = {};            // empty: settingsText
    std::string settingsText = {};            // the settings to start from when no file is named
    std::vector<SettingValue> settings = {};  // laid over the settings, in order
    unsigned components = kAllComponents;     // PluginComponent bits
};

// Makes `run` what the next FileRunEntry starts; the error when its settings
// file cannot be read.
std::optional<Error> PrepareFileRun(FileRun run);

// The settings of the running file run as they stand now (a dialog may have
// changed them), as a settings file holds them: what a later run over another
// file may start from.
std::string FileRunSettings();

// Whether the running file run's hyphenation has its data open (a run that
// hyphenates without it changes nothing).
bool FileRunHasHyphenationData();

// The entry a host calls in place of XTActivateCallback to start the plug-in
// as the last PrepareFileRun said.
int32_t FileRunEntry(XTRegistrationRecord* record);

}  // namespace tarnik::services
