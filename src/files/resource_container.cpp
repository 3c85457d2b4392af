#include "files/resource_container.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "files/byte_order.h"
#include "files/checksum_trailer.h"

namespace tarnik {
namespace {

constexpr size_t kHeaderSize = 12;
constexpr size_t kSlotSize = 34;

// Handles are numbered across the process, so that a handle of one reader is
// never taken for that of another.
ContainerHandle NextHandle() {
    static std::atomic<ContainerHandle> last{0};
    ContainerHandle handle = ++last;
    while (handle <= 0) {
        last = 0;
        handle = ++last;
    }
    return handle;
}

}  // namespace

ResourceContainer::~ResourceContainer() {
    Release();
}

void ResourceContainer::Release() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    handle_ = 0;
    slots_.clear();
}

bool ResourceContainer::TypeIs(const IndexSlot& slot, ResourceType type) {
    return type.size() == 4 && std::memcmp(slot.type, type.data(), 4) == 0;
}

bool ResourceContainer::NameIs(const IndexSlot& slot, std::string_view name) {
    size_t length = slot.name[0];
    if (length > sizeof(slot.name) - 1)
        length = sizeof(slot.name) - 1;
    return length == name.size() && std::memcmp(slot.name + 1, name.data(), length) == 0;
}

std::optional<Bytes> ResourceContainer::ReadSlot(const IndexSlot& slot, int16_t readError) {
    Bytes data;
    try {
        data.resize(slot.size);
    } catch (const std::bad_alloc&) {
        lastError_ = kContainerNoMemoryForResource;
        return std::nullopt;
    }
    if (std::fseek(file_, static_cast<long>(slot.offset), SEEK_SET) != 0) {
        lastError_ = kContainerSeekFailed;
        return std::nullopt;
    }
    if (slot.size > 0 && std::fread(data.data(), 1, slot.size, file_) != slot.size) {
        lastError_ = readError;
        return std::nullopt;
    }
    return data;
}

std::optional<Bytes> ResourceContainer::NotFound() {
    if (everySlotUsed_)
        lastError_ = kContainerResourceNotFound;
    return std::nullopt;
}

bool ResourceContainer::CheckSum() {
    char tail[kChecksumTrailerSize];
    ChecksumClaim claim;
    if (fileSize_ < kChecksumTrailerSize ||
        std::fseek(file_, static_cast<long>(fileSize_ - kChecksumTrailerSize), SEEK_SET) != 0 ||
        std::fread(tail, 1, sizeof(tail), file_) != sizeof(tail) ||
        ReadTrailer({tail, sizeof(tail)}, claim) != TrailerKind::kPresent ||
        claim.length != fileSize_ - kChecksumTrailerSize || std::fseek(file_, 0, SEEK_SET) != 0)
        return false;
    uint32_t crc = 0;
    char buffer[1 << 16];
    for (uint64_t left = claim.length; left > 0;) {
        size_t count = static_cast<size_t>(std::min<uint64_t>(left, sizeof(buffer)));
        if (std::fread(buffer, 1, count, file_) != count)
            return false;
        crc = Crc32({buffer, count}, crc);
        left -= count;
    }
    if (crc != claim.crc || std::fseek(file_, 0, SEEK_SET) != 0)
        return false;
    fileSize_ = claim.length;  // nothing the format addresses lies in the trailer
    return true;
}

ContainerHandle ResourceContainer::Open(const std::string& path) {
    Release();
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) {
        lastError_ = kContainerCannotOpen;
        return 0;
    }
    std::fseek(file_, 0, SEEK_END);
    long size = std::ftell(file_);
    fileSize_ = size > 0 ? static_cast<uint64_t>(size) : 0;
    std::fseek(file_, 0, SEEK_SET);
    if (!CheckSum()) {
        lastError_ = kContainerDamaged;
        Release();
        return 0;
    }

    uint8_t header[kHeaderSize];
    if (fileSize_ < kHeaderSize || std::fread(header, 1, kHeaderSize, file_) != kHeaderSize) {
        lastError_ = kContainerHeaderShort;
        Release();
        return 0;
    }
    uint32_t indexEnd = ReadBig32(header);
    dataAreaMarker_ = ReadBig32(header + 4);
    dataAreaOffset_ = ReadBig32(header + 8);

    // An index end before the header or past the file cannot be read in full.
    if (indexEnd < kHeaderSize || indexEnd > fileSize_) {
        lastError_ = kContainerIndexShort;
        Release();
        return 0;
    }
    size_t slotCount = (indexEnd - kHeaderSize) / kSlotSize;
    Bytes raw;
    try {
        raw.resize(slotCount * kSlotSize);
        slots_.reserve(slotCount);
    } catch (const std::bad_alloc&) {
        lastError_ = kContainerNoMemoryForIndex;
        Release();
        return 0;
    }
    if (!raw.empty() && std::fread(raw.data(), 1, raw.size(), file_) != raw.size()) {
        lastError_ = kContainerIndexShort;
        Release();
        return 0;
    }
    everySlotUsed_ = true;
    for (size_t i = 0; i < slotCount; ++i) {
        const uint8_t* p = raw.data() + i * kSlotSize;
        IndexSlot slot;
        std::memcpy(slot.type, p, 4);
        slot.size = ReadBig32(p + 4);
        slot.offset = ReadBig32(p + 8);
        slot.number = ReadBig16(p + 12);
        std::memcpy(slot.name, p + 14, sizeof(slot.name));
        if (slot.offset == 0) {
            everySlotUsed_ = false;
            break;
        }
        slots_.push_back(slot);
    }
    handle_ = NextHandle();
    return handle_;
}

std::optional<Bytes> ResourceContainer::GetByNumber(ResourceType type, uint16_t number) {
    if (!file_) {
        lastError_ = kContainerNotOpen;
        return std::nullopt;
    }
    for (const IndexSlot& slot : slots_) {
        if (!TypeIs(slot, type) || slot.number != number)
            continue;
        if (uint64_t{slot.offset} + slot.size > fileSize_) {
            lastError_ = kContainerResourcePastEnd;
            return std::nullopt;
        }
        return ReadSlot(slot, kContainerResourceShort);
    }
    return NotFound();
}

std::optional<Bytes> ResourceContainer::GetByName(ResourceType type, std::string_view name) {
    if (!file_) {
        lastError_ = kContainerNotOpen;
        return std::nullopt;
    }
    for (const IndexSlot& slot : slots_) {
        if (!TypeIs(slot, type) || !NameIs(slot, name))
            continue;
        // A lying size would ask for more memory than the file holds.
        if (uint64_t{slot.offset} + slot.size > fileSize_) {
            lastError_ = kContainerHeaderShort;
            return std::nullopt;
        }
        return ReadSlot(slot, kContainerHeaderShort);
    }
    return NotFound();
}

int ResourceContainer::Count(ResourceType type) {
    if (!file_) {
        lastError_ = kContainerNotOpen;
        return 0;
    }
    return static_cast<int>(std::count_if(
        slots_.begin(), slots_.end(), [&](const IndexSlot& slot) { return TypeIs(slot, type); }));
}

std::optional<Bytes> ResourceContainer::GetNth(ResourceType type, int n) {
    if (!file_) {
        lastError_ = kContainerNotOpen;
        return std::nullopt;
    }
    int seen = 0;
    for (const IndexSlot& slot : slots_) {
        if (TypeIs(slot, type) && ++seen == n)
            return GetByNumber(type, slot.number);
    }
    return NotFound();
}

bool ResourceContainer::OpenDataArea() {
    if (!file_) {
        lastError_ = kContainerDataAreaNotOpen;
        return false;
    }
    if (dataAreaMarker_ == 0) {
        lastError_ = kContainerNoDataArea;
        return false;
    }
    if (std::fseek(file_, static_cast<long>(dataAreaOffset_), SEEK_SET) != 0) {
        lastError_ = kContainerSeekFailed;
        return false;
    }
    return true;
}

bool ResourceContainer::ReadRaw(ContainerHandle handle, size_t count, uint8_t* buffer) {
    if (!file_ || handle != handle_)
        return false;
    long at = std::ftell(file_);  // the trailer is not the data area's
    if (at < 0 || static_cast<uint64_t>(at) > fileSize_ || count > fileSize_ - at)
        return false;
    return count == 0 || std::fread(buffer, 1, count, file_) == count;
}

bool ResourceContainer::ReadAt(ContainerHandle handle, uint64_t offset, size_t count,
                               uint8_t* buffer) {
    if (!file_ || handle != handle_)
        return false;
    if (offset > fileSize_ || count > fileSize_ - offset)
        return false;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
        lastError_ = kContainerSeekFailed;
        return false;
    }
    return count == 0 || std::fread(buffer, 1, count, file_) == count;
}

int16_t ResourceContainer::Close(ContainerHandle handle) {
    if (!file_) {
        lastError_ = kContainerCloseNotOpen;
        return lastError_;
    }
    if (handle != handle_) {
        lastError_ = kContainerWrongHandle;
        return lastError_;
    }
    Release();
    return 0;
}

}  // namespace tarnik
