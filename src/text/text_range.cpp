#include "text/text_range.h"

namespace tarnik {

std::optional<TextRange> TakeWorkingRange(XTBox box) {
    BoxTextInfo info = Host().GetBoxTextInfo(box);
    if (info.story == 0 || info.length <= 0)
        return std::nullopt;
    TextRange range{info.story,  info.selectionStart, info.selectionEnd,
                    info.length, info.selectionStart, info.selectionEnd};
    if (range.start == range.end) {
        range.start = 0;
        range.end = info.length;
    }
    return range;
}

}  // namespace tarnik
