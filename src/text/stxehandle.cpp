#include "text/stxehandle.h"

namespace tarnik {

stxehandle::stxehandle(XTBox fromBox) : box(fromBox ? fromBox : Host().GetCurrentBox()) {
    if (!Host().IsBoxValid(box) || !Host().IsTextBox(box))
        return;
    BoxTextInfo info = Host().GetBoxTextInfo(box);
    valid = 1;
    selectionStart = info.selectionStart;
    selectionEnd = info.selectionEnd;
    length = info.length;
    story = info.story;
}

}  // namespace tarnik
