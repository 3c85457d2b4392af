#include "host/callback_groups.h"

#include "host/memory_host.h"

namespace tarnik::host {

namespace {

// A request lists at most this many callbacks; a longer one is refused unread past it.
constexpr int kMaxRequest = 256;

const std::vector<CallbackGroup>& AllGroups() {
    static const std::vector<CallbackGroup> groups = {
        ItemCallbacks(),    DocumentCallbacks(), TextCallbacks(),      EditingCallbacks(),
        DrawingCallbacks(), MenuCallbacks(),     InterfaceCallbacks(), ParagraphCallbacks(),
        MemoryCallbacks(),  StringCallbacks(),   SystemCallbacks()};
    return groups;
}

}  // namespace

int32_t HostAcceptXTension(uint32_t developerCode, uint32_t, uint32_t version, uint32_t) {
    MemoryHost* host = MemoryHost::Active();
    return host ? host->Accept(developerCode, version) : XT_ERR_STATE;
}

int32_t HostInstallCallback(int32_t event, XTEventHandler handler, int32_t, int32_t, int32_t) {
    MemoryHost* host = MemoryHost::Active();
    return host ? host->InstallCallback(event, handler) : XT_ERR_STATE;
}

int32_t HostGetCallbackGroup(uint32_t tag, XTCallbackProc* table, const uint32_t* request) {
    if (!table || !request || request[0] != XT_GROUP_MARKER)
        return XT_ERR_PARAM;
    const CallbackGroup* group = nullptr;
    for (const auto& g : AllGroups()) {
        if (g.tag == tag)
            group = &g;
    }
    int32_t missing = 0;
    for (int i = 1; request[i] != 0; ++i) {
        if (i > kMaxRequest)
            return XT_ERR_PARAM;
        XTCallbackProc proc = nullptr;
        if (group) {
            for (const auto& [number, callback] : group->callbacks) {
                if (number == request[i])
                    proc = callback;
            }
        }
        table[i - 1] = proc;
        missing += proc ? 0 : 1;
    }
    return missing;
}

}  // namespace tarnik::host
