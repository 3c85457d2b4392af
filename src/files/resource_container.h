// The resource container: the file format of "son.dic" and "PLHYPH.DAT".
//
// A 12-byte header (index end, data-area marker, data-area offset), an index of
// 34-byte slots (type, size, offset, number, Pascal name) and the resources'
// bytes, plus an optional data area read sequentially by the file's owner. All
// numbers are big-endian.
//
// After all of it our container writer appends the checksum trailer
// (checksum_trailer.h): the length and CRC-32 of everything before it. Open
// requires the trailer and checks it against the whole file, so a container cut
// short, changed or without its trailer is refused with kContainerDamaged
// rather than read into wrong answers: every container is written by our own
// tools, and one written before they added the trailer is compiled again. The
// trailer lies past everything the header and the index address.
//
// One ResourceContainer reads one open file: the speller and the hyphenation
// data each own theirs, so opening one never disturbs the other. A reader holds
// at most one file at a time; opening another releases the first.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnik {

using Bytes = std::vector<uint8_t>;

// A four-character resource type such as "szli", "BAZA" or "HYPd".
using ResourceType = std::string_view;

// A handle to an open container; 0 is never a valid handle, and no two opens in
// the process share one.
using ContainerHandle = int;

// Error numbers kept as the container's last error.
enum ContainerError : int16_t {
    kContainerCannotOpen = -43,
    kContainerIndexShort = 500,
    kContainerNoMemoryForIndex = 502,
    kContainerSeekFailed = 504,
    kContainerNoDataArea = 505,
    kContainerHeaderShort = 506,
    kContainerNotOpen = 508,
    kContainerResourceNotFound = 510,
    kContainerNoMemoryForResource = 511,
    kContainerResourceShort = 514,
    kContainerCloseNotOpen = 515,
    kContainerDataAreaNotOpen = 516,
    kContainerResourcePastEnd = 518,
    kContainerWrongHandle = 527,
    kContainerDamaged = 529,  // no checksum trailer, or it does not match the file
};

class ResourceContainer {
  public:
    ResourceContainer() = default;
    ~ResourceContainer();
    ResourceContainer(const ResourceContainer&) = delete;
    ResourceContainer& operator=(const ResourceContainer&) = delete;

    // Opens `path` read-only, checks its trailer, reads the header and the whole index. A file held
    // before is closed first. Returns the handle, or 0 (see LastError()).
    ContainerHandle Open(const std::string& path);

    bool IsOpen() const { return file_ != nullptr; }

    // The bytes of the first used slot of `type` with `number`, or none.
    std::optional<Bytes> GetByNumber(ResourceType type, uint16_t number);

    // The bytes of the first used slot of `type` whose name equals `name`
    // (length and characters), or none.
    std::optional<Bytes> GetByName(ResourceType type, std::string_view name);

    // The number of used slots of `type`; 0 when nothing is open (error 508).
    int Count(ResourceType type);

    // The n-th (from 1) used slot of `type` in index order, fetched by its type
    // and number: an earlier slot with the same type and number wins.
    std::optional<Bytes> GetNth(ResourceType type, int n);

    // Seeks to the data area; raw reads continue from there.
    bool OpenDataArea();

    // Reads `count` bytes at the current position into `buffer`; false when
    // `handle` is not the open one or fewer bytes could be read.
    bool ReadRaw(ContainerHandle handle, size_t count, uint8_t* buffer);

    // Reads `count` bytes at absolute file offset `offset`; false when `handle`
    // is not the open one, the range lies past the end of the file, the seek
    // fails or fewer bytes could be read.
    bool ReadAt(ContainerHandle handle, uint64_t offset, size_t count, uint8_t* buffer);

    // The error number of the last failing operation.
    int16_t LastError() const { return lastError_; }

    // Releases the index and closes the file. 0, or 515 / 527.
    int16_t Close(ContainerHandle handle);

  private:
    struct IndexSlot {
        char type[4];
        uint32_t size;
        uint32_t offset;
        uint16_t number;
        uint8_t name[20];  // length byte, characters, zero byte
    };

    static bool TypeIs(const IndexSlot& slot, ResourceType type);
    static bool NameIs(const IndexSlot& slot, std::string_view name);
    void Release();
    bool CheckSum();
    std::optional<Bytes> ReadSlot(const IndexSlot& slot, int16_t readError);
    std::optional<Bytes> NotFound();

    std::FILE* file_ = nullptr;
    ContainerHandle handle_ = 0;
    uint32_t dataAreaMarker_ = 0;
    uint32_t dataAreaOffset_ = 0;
    uint64_t fileSize_ = 0;
    std::vector<IndexSlot> slots_;  // the leading run of used slots
    bool everySlotUsed_ = false;    // no unused slot ended the index
    int16_t lastError_ = 0;
};

}  // namespace tarnik
