// The per-box passes of the hyphenation commands, called for each text box a
// command visits (ForEachTextBox). Each works on the box's selection, or on the
// whole story when the selection is a caret, and gives the selection back over
// the changed text: a selection as [start, new end), a caret where it was (at
// the story's start when the text before it shrank away).
#pragma once

#include <cstdint>

#include "platform/host_api.h"

namespace tarnik {

// The visit's argument that makes a pass cover the whole story, whatever the
// box's selection (the document-wide removal); any other argument is ignored.
inline constexpr int32_t kWholeStoryPass = 1;

// Puts the hyphenation points of the open dictionary into the box (0: the
// current box) after the auto-hyphenation check. A selection that cuts a word
// takes that word whole, and is given back over the whole words. Each word not
// skipped by its
// case class is hyphenated, with the user's exceptions when the settings say
// so, and its points made those of the hyphenation (ApplyHyphenation). A story
// shorter than 2 characters is left alone; so is the box when the check is
// cancelled. Returns 0.
int16_t HyphenateBox(XTBox box, int32_t argument);

// Deletes every discretionary hyphen of the range and takes the no-break style
// off each hyphen whose point it deleted (the compound step put the style
// there); the user's own no-break hyphens keep it. A story shorter
// than 4 characters is left alone. Returns 0.
int16_t RemoveHyphensInBox(XTBox box, int32_t argument);

}  // namespace tarnik
