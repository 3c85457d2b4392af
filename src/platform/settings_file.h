// Where the plug-in's settings file lies, chosen once at start-up when the
// shell learns its XTension name N ("Tarnik11").
//
// The settings file is N.ini. The XTensions folder's copy is preferred, so that
// every user of a shared host installation sees the same settings; when that
// folder cannot be written to, the copy in the per-user data folder is used
// instead. A user copy left from a time when the folder was not writable is
// carried into the XTensions folder once, the first time that folder is
// writable and holds no copy of its own.
//
// The choice also names the log file: N.log in the host program's folder.
#pragma once

#include <string>

#include "platform/file_lookup.h"

namespace tarnik {

struct SettingsFileChoice {
    std::string moduleName;    // N, with "Win" appended unless N ends with it
    bool writable = true;      // whether the XTensions folder may be written
    std::string userCopy;      // N.ini in the per-user folder
    std::string xtensionCopy;  // N.ini in the XTensions folder
    // The user copy could not be carried into the XTensions folder; the user
    // copy is used, the failure is in the log, and the shell tells the user
    // with CopyFailedMessage().
    bool copyFailed = false;
};

// N with "Win" appended unless N ends with it.
std::string ModuleNameOf(const std::string& xtensionName);

// Makes the choice and applies it: sets the settings store's file (the section
// is left as it is) and the log file. `writable` is the shell's flag on entry;
// the flag after the probe of the XTensions folder comes back in the result.
SettingsFileChoice ChooseSettingsFile(const std::string& xtensionName, const HostFolders& folders,
                                      bool writable);

// What the shell shows (error number 1, no title suffix) when the copy failed:
// a stored text naming both paths.
std::string CopyFailedMessage(const SettingsFileChoice& choice);

}  // namespace tarnik
