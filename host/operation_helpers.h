// Shared lookups of the host functions: from the handles an XTension passes to the
// objects of the active host. Every handle is checked; a bad one yields nullptr.
#pragma once

#include <cstdint>

#include "host/memory_host.h"

namespace tarnik::host {

inline Document* ActiveDocument() {
    MemoryHost* host = MemoryHost::Active();
    return host && host->document ? &*host->document : nullptr;
}

inline int ItemOf(XTBox box) {
    return static_cast<int>(box) - 1;
}
inline XTBox BoxOf(int item) {
    return static_cast<XTBox>(item + 1);
}

// The live item behind a box handle, or -1.
inline int LiveItem(const Document& document, XTBox box) {
    int item = ItemOf(box);
    return box != 0 && box <= 0x7FFFFFFF && document.IsItem(item) ? item : -1;
}

inline Story* StoryOf(XTStory story) {
    Document* document = ActiveDocument();
    if (!document || story == 0 || story > document->stories.size())
        return nullptr;
    return &document->stories[story - 1];
}

inline XTStory StoryHandle(int story) {
    return static_cast<XTStory>(story + 1);
}

}  // namespace tarnik::host
