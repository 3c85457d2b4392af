// The host functions of the memory, string and system groups.
#include <algorithm>
#include <cstring>

#include "host/callback_groups.h"
#include "host/memory_host.h"
#include "tarnik/text_codec.h"

namespace tarnik::host {

namespace {

// No handle grows beyond this.
constexpr int32_t kMaxHandleSize = 64 << 20;

XTHandleRecord* RecordOf(XTHandle handle) {
    MemoryHost* host = MemoryHost::Active();
    return host ? host->FindHandle(handle) : nullptr;
}

int32_t NewHandle(int32_t size, XTHandle* handle) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || !handle || size < 0 || size > kMaxHandleSize)
        return XT_ERR_PARAM;
    *handle = host->NewHandle(static_cast<size_t>(size));
    return XT_OK;
}

int32_t LockHandle(XTHandle handle, void** block) {
    XTHandleRecord* record = RecordOf(handle);
    if (!record || !block)
        return XT_ERR_PARAM;
    ++record->locks;
    *block = record->data.data();
    return XT_OK;
}

int32_t UnlockHandle(XTHandle handle) {
    XTHandleRecord* record = RecordOf(handle);
    if (!record)
        return XT_ERR_PARAM;
    if (record->locks > 0)
        --record->locks;
    return XT_OK;
}

int32_t GetHandleSize(XTHandle handle, int32_t* size) {
    XTHandleRecord* record = RecordOf(handle);
    if (!record || !size)
        return XT_ERR_PARAM;
    *size = static_cast<int32_t>(record->data.size());
    return XT_OK;
}

// A locked block cannot move, so it cannot be resized.
int32_t SetHandleSize(XTHandle handle, int32_t size) {
    XTHandleRecord* record = RecordOf(handle);
    if (!record || size < 0 || size > kMaxHandleSize)
        return XT_ERR_PARAM;
    if (record->locks > 0)
        return XT_ERR_STATE;
    record->data.resize(static_cast<size_t>(size));
    return XT_OK;
}

int32_t DisposeHandle(XTHandle handle) {
    MemoryHost* host = MemoryHost::Active();
    return host && host->DisposeHandle(handle) ? XT_OK : XT_ERR_PARAM;
}

int32_t MakeHostString(const char* text, XTHostString* string) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || !text || !string)
        return XT_ERR_PARAM;
    *string = host->NewHostString(Cp1250ToUtf16(std::string(text, strnlen(text, 4096))));
    return XT_OK;
}

XTHostStringRecord* StringOf(XTHostString string) {
    MemoryHost* host = MemoryHost::Active();
    return host ? host->FindHostString(string) : nullptr;
}

int32_t HostStringLength(XTHostString string, int32_t* length) {
    XTHostStringRecord* record = StringOf(string);
    if (!record || !length)
        return XT_ERR_PARAM;
    *length = static_cast<int32_t>(record->text.size());
    return XT_OK;
}

int32_t HostStringChars(XTHostString string, uint16_t* dest, int32_t capacity, int32_t* copied) {
    XTHostStringRecord* record = StringOf(string);
    if (!record || !dest || capacity < 0)
        return XT_ERR_PARAM;
    size_t n = std::min(record->text.size(), static_cast<size_t>(capacity));
    std::copy(record->text.begin(), record->text.begin() + static_cast<ptrdiff_t>(n), dest);
    if (copied)
        *copied = static_cast<int32_t>(n);
    return XT_OK;
}

int32_t ReleaseHostString(XTHostString string) {
    MemoryHost* host = MemoryHost::Active();
    return host && host->ReleaseHostString(string) ? XT_OK : XT_ERR_PARAM;
}

int32_t GetFeatureFlags(uint32_t* flags) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || !flags)
        return XT_ERR_PARAM;
    *flags = host->featureFlags;
    return XT_OK;
}

int32_t GetInterfaceLanguage(int16_t* language) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || !language)
        return XT_ERR_PARAM;
    *language = host->language;
    return XT_OK;
}

}  // namespace

CallbackGroup MemoryCallbacks() {
    return {XT_GROUP_MEMORY,
            {{XTCB_NewHandle, AsCallback(NewHandle)},
             {XTCB_LockHandle, AsCallback(LockHandle)},
             {XTCB_UnlockHandle, AsCallback(UnlockHandle)},
             {XTCB_GetHandleSize, AsCallback(GetHandleSize)},
             {XTCB_SetHandleSize, AsCallback(SetHandleSize)},
             {XTCB_DisposeHandle, AsCallback(DisposeHandle)}}};
}

CallbackGroup StringCallbacks() {
    return {XT_GROUP_STRINGS,
            {{XTCB_MakeHostString, AsCallback(MakeHostString)},
             {XTCB_HostStringLength, AsCallback(HostStringLength)},
             {XTCB_HostStringChars, AsCallback(HostStringChars)},
             {XTCB_ReleaseHostString, AsCallback(ReleaseHostString)}}};
}

CallbackGroup SystemCallbacks() {
    return {XT_GROUP_SYSTEM,
            {{XTCB_GetFeatureFlags, AsCallback(GetFeatureFlags)},
             {XTCB_GetInterfaceLanguage, AsCallback(GetInterfaceLanguage)}}};
}

}  // namespace tarnik::host
