// The plug-in's dialog resources: every dialog of the plug-in, in English and as
// its Polish twin (English number + 100: 31102 and 31202, ...), plus the About
// box 30001, which has no twin. The translation tables map an English number to
// its twin; a number without a resource (31114, 31214) has no template.
//
//   30001         About box
//   31102 31202   Dictionary Preferences
//   31103 31203   Hyphenation Preferences
//   31104 31204   Typography Preferences, first layout (the same controls)
//   31105 31205   Edit User Dictionary      (the edit-list items)
//   31106 31206   Edit Hyphenation Exceptions (the edit-list items)
//   31108 31208   Check Spelling
//   31109 31209   Suggested Hyphenation
//   31111 31211   Autohyphenation Warning
//   31117 31217   message box: a text and OK
//   31118 31218   question box: a text and Yes, No, Cancel
//   31119 31219   Edit list
//   31120 31220   Typography Preferences
//
// Every dialog closes with button 1 (OK, Close, Continue) or 2 (Cancel).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/dialog_template.h"

namespace tarnik {

// The Polish twin of an English dialog number.
inline constexpr uint16_t kPolishDialogOffset = 100;

inline constexpr uint16_t kAboutDialog = 30001;
inline constexpr uint16_t kAboutNameItem = 3;  // its first text: name and version

inline constexpr uint16_t kMessageDialog = 31117;
inline constexpr uint16_t kQuestionDialog = 31118;
inline constexpr uint16_t kOkItem = 1;
inline constexpr uint16_t kCancelItem = 2;
inline constexpr uint16_t kMessageTextItem = 3;  // the text of both boxes
inline constexpr uint16_t kYesItem = 6;
inline constexpr uint16_t kNoItem = 7;

// The template of that number, or null.
const DialogTemplate* FindDialogTemplate(uint16_t number);

// Every template, in ascending number.
const std::vector<DialogTemplate>& AllDialogTemplates();

}  // namespace tarnik
