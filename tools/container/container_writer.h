// Writes resource containers: a 12-byte header, an index of 34-byte slots, the
// resources' bytes and an optional data area, every number big-endian, and
// after them the checksum trailer (files/checksum_trailer.h) that the reader
// requires. The resources are laid out in the order they were added; so is the
// index.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tarnik/safe_save.h"

namespace tarnik::tools {

using Bytes = std::vector<uint8_t>;

class ContainerWriter {
  public:
    // Adds a resource. `type` has exactly four characters; `name` at most 18.
    // Throws std::invalid_argument otherwise.
    void Add(std::string_view type, uint16_t number, Bytes data, std::string_view name = {});

    // Sets the data area; a container without one has the marker 0.
    void SetDataArea(Bytes data);

    // Extra unused index slots after the used ones (readers stop at the first).
    void SetSpareSlots(int count) { spareSlots_ = count; }

    // Where the data area begins: after the header, the index and the resources.
    uint64_t DataAreaOffset() const;

    // The whole file, its checksum trailer last.
    Bytes Build() const;

    // Builds and writes to `path`; throws std::runtime_error when it cannot.
    void Write(const std::string& path) const;

  private:
    struct Resource {
        std::string type;
        uint16_t number;
        std::string name;
        Bytes data;
    };
    std::vector<Resource> resources_;
    Bytes dataArea_;
    bool hasDataArea_ = false;
    int spareSlots_ = 0;
};

// Writes `bytes` to `path` through the safe save, replacing what was there only
// when the whole file is written and `check` (given the written temporary file)
// accepts it; throws std::runtime_error saying why when it does not.
void WriteFileBytes(const std::string& path, const Bytes& bytes, const SaveCheck& check = {});

// Appends the checksum trailer of `contents` to them.
void AppendChecksumTrailer(Bytes& contents);

// Seals a file changed on purpose (a test fixture) again: the trailer it ends
// in, if any, is replaced by the trailer of what precedes it; a file that ends
// in none gets one.
void Reseal(Bytes& file);

// Big-endian appenders for building resource bytes.
void AppendBig16(Bytes& out, uint16_t value);
void AppendBig32(Bytes& out, uint32_t value);

}  // namespace tarnik::tools
