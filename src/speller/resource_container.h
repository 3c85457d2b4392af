// The resource container: the file format of "son.dic" and "PLHYPH.DAT".
//
// A 12-byte header (index end, data-area marker, data-area offset), an index of
// 34-byte slots (type, size, offset, number, Pascal name) and the resources'
// bytes, plus an optional data area read sequentially by the file's owner. All
// numbers are big-endian. One container is open per process at a time; its
// handle, header, index and last error live in one process-wide object.
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

// A handle to the open container; 0 is never a valid handle.
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
};

namespace container {

// Opens `path` read-only, reads the header and the whole index. Any container
// held before is closed first. Returns the handle, or 0 (see LastError()).
ContainerHandle Open(const std::string& path);

// The bytes of the first used slot of `type` with `number`, or none.
std::optional<Bytes> GetByNumber(ResourceType type, uint16_t number);

// The bytes of the first used slot of `type` whose name equals `name` (length
// and characters), or none.
std::optional<Bytes> GetByName(ResourceType type, std::string_view name);

// The number of used slots of `type`; 0 when no container is open (error 508).
int Count(ResourceType type);

// The n-th (from 1) used slot of `type` in index order, fetched by its type and
// number: an earlier slot with the same type and number wins.
std::optional<Bytes> GetNth(ResourceType type, int n);

// Seeks to the data area; raw reads continue from there.
bool OpenDataArea();

// Reads `count` bytes at the current position into `buffer`; false when the
// handle is not the open one or fewer bytes could be read.
bool ReadRaw(ContainerHandle handle, size_t count, uint8_t* buffer);

// Reads `count` bytes at absolute file offset `offset`; false when the handle is
// not the open one, the seek fails or fewer bytes could be read.
bool ReadAt(ContainerHandle handle, uint64_t offset, size_t count, uint8_t* buffer);

// The error number of the last failing operation.
int16_t LastError();

// Releases the index and closes the file. 0, or 515 / 527.
int16_t Close(ContainerHandle handle);

}  // namespace container
}  // namespace tarnik
