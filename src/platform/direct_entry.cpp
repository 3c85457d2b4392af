#include "platform/direct_entry.h"

#include "platform/host_api.h"

namespace tarnik {

namespace {

int32_t OnActivate(int32_t event, void* record) {
    if (event == XT_EVENT_ACTIVATE)
        Host().FetchCallbackGroups(static_cast<const XTActivationRecord*>(record));
    return 0;
}

}  // namespace

int32_t DirectEntry(XTRegistrationRecord* record) {
    Host().UseRegistration(record);
    if (Host().AcceptXTension(0, 0, XT_INTERFACE_VERSION, 0) != 0)
        return 1;
    return Host().InstallCallback(XT_EVENT_ACTIVATE, OnActivate);
}

}  // namespace tarnik
