#include "typography/no_break_mark.h"

#include "platform/host_api.h"

namespace tarnik {

bool IsNoBreakMarked(XTStory story, int32_t position) {
    Host().SetTextSelection(story, position, position + 1, false);
    return (Host().GetSelectionStyleFlags(story, XT_STYLE_FLAGS, 0, 0) & XT_STYLE_NO_BREAK) != 0;
}

void MarkNoBreak(XTStory story, int32_t start, int32_t end) {
    Host().SetTextSelection(story, start, end, false);
    Host().SetSelectionStyleFlags(story, XT_STYLE_SELECTOR, XT_STYLE_NO_BREAK);
}

}  // namespace tarnik
