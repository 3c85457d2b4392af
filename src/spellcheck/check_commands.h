// The spell-check commands of the menu "Polish Spell Checker". Each does nothing
// without a front document; Check Word and Check Story need a current text box,
// Check Word the text tool as well. A command opens the dictionaries (and stops
// when they do not open), walks its text, opens the Check Spelling dialog at the
// first misspelt word, and, when it found none, says so:
//   Check Word / Check Selection  "Word is spelled correctly" for one word,
//                                 "There are no errors in the selection." for more
//   Check Story                   "There are no errors in the selection."
//   Check Document                "There is no errors at all"
// Check Story and Check Document switch to the text tool while they run. The
// changes of a command are one edit command of the host, undone in one step. At
// the end the box that was current is current again with its selection.
#pragma once

#include "spellcheck/spell_check_state.h"

namespace tarnik {

void CheckCommand(CheckMode mode);

}  // namespace tarnik
