// Every handler the host calls runs its work through GuardedCall: nothing is
// thrown across the host boundary. What goes wrong is written to the log as a
// forced line ("WHAT failed: REASON") and reported to the host as XT_ERR_STATE.
#pragma once

#include <cstdint>
#include <exception>

#include "platform/log_file.h"
#include "tarnik/xtabi.h"

namespace tarnik {

template <class Step>
int32_t GuardedCall(const char* what, Step step) {
    try {
        return step();
    } catch (const std::exception& error) {
        WriteForcedLogLine("%s failed: %s", what, error.what());
    } catch (...) {
        WriteForcedLogLine("%s failed", what);
    }
    return XT_ERR_STATE;
}

}  // namespace tarnik
