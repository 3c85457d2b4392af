// The no-break mark: the host's character style bit that keeps characters on
// one line. The engine binds a word to its neighbour by marking the space
// between them. Both operations work through the story's selection.
#pragma once

#include <cstdint>

#include "tarnik/xtabi.h"

namespace tarnik {

// True when the character at `position` carries the mark.
bool IsNoBreakMarked(XTStory story, int32_t position);

// Marks the characters [start, end). The host toggles the bit, taking it off
// when every selected character has it already, so callers test first.
void MarkNoBreak(XTStory story, int32_t start, int32_t end);

}  // namespace tarnik
