// Steps through a story for the typography engine. Every step is one host call;
// a step the host refuses, or one that does not move, gives -1 (no position).
#pragma once

#include <cstdint>

#include "platform/host_api.h"

namespace tarnik {

inline int32_t StepForward(XTStory story, int32_t position) {
    int32_t next = Host().NextCharPosition(story, position, XT_FORWARD);
    return next == position ? -1 : next;
}

inline int32_t StepBackward(XTStory story, int32_t position) {
    int32_t previous = Host().NextCharPosition(story, position, XT_BACKWARD);
    return previous == position ? -1 : previous;
}

}  // namespace tarnik
