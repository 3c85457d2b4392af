// The dialog script: what a batch run answers to the dialogs and message boxes
// it meets, one step a line, used in order (docs/commands.md):
//
//   press ITEM          a button; a check box toggles; a radio button is chosen
//   type ITEM TEXT      the edit field's text becomes TEXT (the rest of the line,
//                       UTF-8: a line of other bytes is refused)
//   choose ITEM ROW     a row of a list or popup is chosen (rows count from 0)
//   activate ITEM ROW   a row of a list is double-clicked
//   answer WORD         a message box is answered: ok, cancel, yes or no
//
// ITEM is the item's number. Blank lines and lines starting with '#' are skipped.
// The terminal driver reads the same steps from a person.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/dialogs.h"

namespace tarnik::host {

struct DialogStep {
    std::optional<DialogAction> action;  // else an answer
    int16_t answer = 0;
};

// One line; nullopt with the reason in `error` when it is not a step (a blank or
// comment line gives nullopt and an empty error).
std::optional<DialogStep> ParseDialogStep(std::string_view line, std::string& error);

// Every step of a script into the driver; false with "line N: PROBLEM" in `error`
// at the first line that is not a step, and then the driver is left unchanged.
bool LoadDialogScript(std::string_view script, ScriptedDialogDriver& driver, std::string& error);

}  // namespace tarnik::host
