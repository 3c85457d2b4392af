#include "speller/resource_container.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace tarnik {
namespace {

constexpr size_t kHeaderSize = 12;
constexpr size_t kSlotSize = 34;

struct IndexSlot {
    char type[4];
    uint32_t size;
    uint32_t offset;
    uint16_t number;
    uint8_t name[20];  // length byte, characters, zero byte
};

uint32_t ReadBig32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The one open container of the process.
struct ContainerState {
    FILE* file = nullptr;
    ContainerHandle handle = 0;
    ContainerHandle lastHandle = 0;
    uint32_t indexEnd = 0;
    uint32_t dataAreaMarker = 0;
    uint32_t dataAreaOffset = 0;
    uint64_t fileSize = 0;
    std::vector<IndexSlot> slots;  // the leading run of used slots
    bool everySlotUsed = false;    // no unused slot ended the index
    int16_t lastError = 0;

    void Release() {
        if (file)
            std::fclose(file);
        file = nullptr;
        handle = 0;
        slots.clear();
    }
};

ContainerState& State() {
    static ContainerState state;
    return state;
}

bool TypeIs(const IndexSlot& slot, ResourceType type) {
    return type.size() == 4 && std::memcmp(slot.type, type.data(), 4) == 0;
}

bool NameIs(const IndexSlot& slot, std::string_view name) {
    size_t length = slot.name[0];
    if (length > sizeof(slot.name) - 1)
        length = sizeof(slot.name) - 1;
    return length == name.size() && std::memcmp(slot.name + 1, name.data(), length) == 0;
}

std::optional<Bytes> ReadSlot(const IndexSlot& slot, int16_t readError) {
    ContainerState& s = State();
    Bytes data;
    try {
        data.resize(slot.size);
    } catch (const std::bad_alloc&) {
        s.lastError = kContainerNoMemoryForResource;
        return std::nullopt;
    }
    if (std::fseek(s.file, static_cast<long>(slot.offset), SEEK_SET) != 0) {
        s.lastError = kContainerSeekFailed;
        return std::nullopt;
    }
    if (slot.size > 0 && std::fread(data.data(), 1, slot.size, s.file) != slot.size) {
        s.lastError = readError;
        return std::nullopt;
    }
    return data;
}

std::optional<Bytes> NotFound() {
    ContainerState& s = State();
    if (s.everySlotUsed)
        s.lastError = kContainerResourceNotFound;
    return std::nullopt;
}

}  // namespace

namespace container {

ContainerHandle Open(const std::string& path) {
    ContainerState& s = State();
    s.Release();
    s.file = std::fopen(path.c_str(), "rb");
    if (!s.file) {
        s.lastError = kContainerCannotOpen;
        return 0;
    }
    std::fseek(s.file, 0, SEEK_END);
    long size = std::ftell(s.file);
    s.fileSize = size > 0 ? static_cast<uint64_t>(size) : 0;
    std::fseek(s.file, 0, SEEK_SET);

    uint8_t header[kHeaderSize];
    if (std::fread(header, 1, kHeaderSize, s.file) != kHeaderSize) {
        s.lastError = kContainerHeaderShort;
        s.Release();
        return 0;
    }
    s.indexEnd = ReadBig32(header);
    s.dataAreaMarker = ReadBig32(header + 4);
    s.dataAreaOffset = ReadBig32(header + 8);

    // An index end before the header or past the file cannot be read in full.
    if (s.indexEnd < kHeaderSize || s.indexEnd > s.fileSize) {
        s.lastError = kContainerIndexShort;
        s.Release();
        return 0;
    }
    size_t slotCount = (s.indexEnd - kHeaderSize) / kSlotSize;
    Bytes raw;
    try {
        raw.resize(slotCount * kSlotSize);
        s.slots.reserve(slotCount);
    } catch (const std::bad_alloc&) {
        s.lastError = kContainerNoMemoryForIndex;
        s.Release();
        return 0;
    }
    if (!raw.empty() && std::fread(raw.data(), 1, raw.size(), s.file) != raw.size()) {
        s.lastError = kContainerIndexShort;
        s.Release();
        return 0;
    }
    s.everySlotUsed = true;
    for (size_t i = 0; i < slotCount; ++i) {
        const uint8_t* p = raw.data() + i * kSlotSize;
        IndexSlot slot;
        std::memcpy(slot.type, p, 4);
        slot.size = ReadBig32(p + 4);
        slot.offset = ReadBig32(p + 8);
        slot.number = static_cast<uint16_t>((p[12] << 8) | p[13]);
        std::memcpy(slot.name, p + 14, sizeof(slot.name));
        if (slot.offset == 0) {
            s.everySlotUsed = false;
            break;
        }
        s.slots.push_back(slot);
    }
    s.handle = ++s.lastHandle;
    if (s.handle == 0)
        s.handle = s.lastHandle = 1;
    return s.handle;
}

std::optional<Bytes> GetByNumber(ResourceType type, uint16_t number) {
    ContainerState& s = State();
    if (!s.file) {
        s.lastError = kContainerNotOpen;
        return std::nullopt;
    }
    for (const IndexSlot& slot : s.slots) {
        if (!TypeIs(slot, type) || slot.number != number)
            continue;
        if (uint64_t{slot.offset} + slot.size > s.fileSize) {
            s.lastError = kContainerResourcePastEnd;
            return std::nullopt;
        }
        return ReadSlot(slot, kContainerResourceShort);
    }
    return NotFound();
}

std::optional<Bytes> GetByName(ResourceType type, std::string_view name) {
    ContainerState& s = State();
    if (!s.file) {
        s.lastError = kContainerNotOpen;
        return std::nullopt;
    }
    for (const IndexSlot& slot : s.slots) {
        if (!TypeIs(slot, type) || !NameIs(slot, name))
            continue;
        // A lying size would ask for more memory than the file holds.
        if (uint64_t{slot.offset} + slot.size > s.fileSize) {
            s.lastError = kContainerHeaderShort;
            return std::nullopt;
        }
        return ReadSlot(slot, kContainerHeaderShort);
    }
    return NotFound();
}

int Count(ResourceType type) {
    ContainerState& s = State();
    if (!s.file) {
        s.lastError = kContainerNotOpen;
        return 0;
    }
    return static_cast<int>(std::count_if(
        s.slots.begin(), s.slots.end(), [&](const IndexSlot& slot) { return TypeIs(slot, type); }));
}

std::optional<Bytes> GetNth(ResourceType type, int n) {
    ContainerState& s = State();
    if (!s.file) {
        s.lastError = kContainerNotOpen;
        return std::nullopt;
    }
    int seen = 0;
    for (const IndexSlot& slot : s.slots) {
        if (TypeIs(slot, type) && ++seen == n)
            return GetByNumber(type, slot.number);
    }
    return NotFound();
}

bool OpenDataArea() {
    ContainerState& s = State();
    if (!s.file) {
        s.lastError = kContainerDataAreaNotOpen;
        return false;
    }
    if (s.dataAreaMarker == 0) {
        s.lastError = kContainerNoDataArea;
        return false;
    }
    if (std::fseek(s.file, static_cast<long>(s.dataAreaOffset), SEEK_SET) != 0) {
        s.lastError = kContainerSeekFailed;
        return false;
    }
    return true;
}

bool ReadRaw(ContainerHandle handle, size_t count, uint8_t* buffer) {
    ContainerState& s = State();
    if (!s.file || handle != s.handle)
        return false;
    return count == 0 || std::fread(buffer, 1, count, s.file) == count;
}

bool ReadAt(ContainerHandle handle, uint64_t offset, size_t count, uint8_t* buffer) {
    ContainerState& s = State();
    if (!s.file || handle != s.handle)
        return false;
    if (offset > s.fileSize || count > s.fileSize - offset)
        return false;
    if (std::fseek(s.file, static_cast<long>(offset), SEEK_SET) != 0) {
        s.lastError = kContainerSeekFailed;
        return false;
    }
    return count == 0 || std::fread(buffer, 1, count, s.file) == count;
}

int16_t LastError() {
    return State().lastError;
}

int16_t Close(ContainerHandle handle) {
    ContainerState& s = State();
    if (!s.file) {
        s.lastError = kContainerCloseNotOpen;
        return s.lastError;
    }
    if (handle != s.handle) {
        s.lastError = kContainerWrongHandle;
        return s.lastError;
    }
    s.Release();
    return 0;
}

}  // namespace container
}  // namespace tarnik
