// The host functions the in-memory host hands to an XTension, grouped under their
// four-character tags. Each group lives in its own operations_*.cpp file.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "tarnik/xtabi.h"

namespace tarnik::host {

struct CallbackGroup {
    uint32_t tag;
    std::vector<std::pair<uint32_t, XTCallbackProc>> callbacks;
};

template <class Function>
XTCallbackProc AsCallback(Function function) {
    return reinterpret_cast<XTCallbackProc>(function);
}

CallbackGroup ItemCallbacks();
CallbackGroup DocumentCallbacks();
CallbackGroup TextCallbacks();
CallbackGroup EditingCallbacks();
CallbackGroup InterfaceCallbacks();  // dialogs, message boxes, the cursor
CallbackGroup MenuCallbacks();
CallbackGroup DrawingCallbacks();
CallbackGroup ParagraphCallbacks();
CallbackGroup MemoryCallbacks();
CallbackGroup StringCallbacks();
CallbackGroup SystemCallbacks();

// The entries of the registration and activation records.
int32_t HostAcceptXTension(uint32_t developerCode, uint32_t reserved, uint32_t version,
                           uint32_t flags);
int32_t HostInstallCallback(int32_t event, XTEventHandler handler, int32_t kind, int32_t priority,
                            int32_t flags);
int32_t HostGetCallbackGroup(uint32_t tag, XTCallbackProc* table, const uint32_t* request);

}  // namespace tarnik::host
