// stxehandle: a snapshot of one box's text, taken once.
#pragma once

#include <cstdint>

#include "platform/host_api.h"

namespace tarnik {

struct stxehandle {
    // From `box`, or from the current box when it is 0. Valid only when the box exists
    // and holds text; then the other fields come from one GetBoxTextInfo call, else
    // they stay 0.
    explicit stxehandle(XTBox box = 0);

    XTBox box = 0;
    uint8_t valid = 0;
    int32_t selectionStart = 0;
    int32_t selectionEnd = 0;
    int32_t length = 0;
    XTStory story = 0;
};

}  // namespace tarnik
