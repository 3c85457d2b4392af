// Opening and closing the spell checker's dictionaries for one command: the main
// dictionary "son.dic" from the plug-in's folder (or its XTensions folder) and
// the user dictionary "user.dic".
//
// user.dic lies in the plug-in's folder, or in the per-user folder when the
// plug-in's folder cannot be written (platform/places.h), unless a run names
// another file (SetUserDictionaryFile). A missing file
// is created. A damaged one is moved aside (user.dic.bak, never over an older
// backup), the user is told where it went, and a new one is started. One that
// exists but cannot be read is left as it is: the user is told, and the command
// goes on without a user dictionary ("Add" is then unavailable).
#pragma once

#include <cstdint>
#include <string>

namespace tarnik {

inline constexpr char kMainDictionaryFile[] = "son.dic";
inline constexpr char kUserDictionaryFile[] = "user.dic";

// Results of OpenSpellDictionaries.
inline constexpr int16_t kSpellOpenNoSpeller = -10;
inline constexpr int16_t kSpellOpenNoUserDictionary = -100;

// Resets the check state, reads the settings and opens both dictionaries into
// it. 0; kSpellOpenNoSpeller when son.dic does not open; kSpellOpenNoUserDictionary
// when user.dic can neither be opened nor created. Each failure is shown to the
// user, and after one nothing stays open.
int16_t OpenSpellDictionaries();

// Closes the user dictionary and the speller.
void CloseSpellDictionaries();

// Tells the user that a change of the user dictionary was not saved: the
// message, then what the save ran into (a read-only file, a full disk), or the
// path when nothing was saved at all.
void ReportUnsavedChange(const char* english);

// Where user.dic is looked for.
std::string UserDictionaryPath();

// The user dictionary a run names instead of user.dic; empty goes back to
// user.dic in its usual place.
void SetUserDictionaryFile(std::string path);

}  // namespace tarnik
