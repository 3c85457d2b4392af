// The working range of a command: the selection of the current box, or its whole
// story when the selection is a caret.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/host_api.h"

namespace tarnik {

struct TextRange {
    XTStory story = 0;
    int32_t start = 0;
    int32_t end = 0;
    int32_t length = 0;          // of the story
    int32_t selectionStart = 0;  // the selection found at the command's start
    int32_t selectionEnd = 0;
};

// The working range of `box` (0: the current box); none when the box holds no text
// or its story is empty.
std::optional<TextRange> TakeWorkingRange(XTBox box = 0);

}  // namespace tarnik
