#include "tools/container/container_writer.h"

#include <stdexcept>

#include "files/checksum_trailer.h"

namespace tarnik::tools {

namespace {
constexpr uint32_t kHeaderSize = 12;
constexpr uint32_t kSlotSize = 34;
constexpr size_t kMaxName = 18;
}  // namespace

void AppendBig16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void AppendBig32(Bytes& out, uint32_t value) {
    AppendBig16(out, static_cast<uint16_t>(value >> 16));
    AppendBig16(out, static_cast<uint16_t>(value));
}

void ContainerWriter::Add(std::string_view type, uint16_t number, Bytes data,
                          std::string_view name) {
    if (type.size() != 4)
        throw std::invalid_argument("resource type must have four characters");
    if (name.size() > kMaxName)
        throw std::invalid_argument("resource name longer than 18");
    resources_.push_back({std::string(type), number, std::string(name), std::move(data)});
}

void ContainerWriter::SetDataArea(Bytes data) {
    dataArea_ = std::move(data);
    hasDataArea_ = true;
}

uint64_t ContainerWriter::DataAreaOffset() const {
    uint64_t offset = kHeaderSize + uint64_t{kSlotSize} * (resources_.size() + spareSlots_);
    for (const Resource& r : resources_)
        offset += r.data.size();
    return offset;
}

Bytes ContainerWriter::Build() const {
    uint32_t slots = static_cast<uint32_t>(resources_.size() + spareSlots_);
    uint32_t indexEnd = kHeaderSize + slots * kSlotSize;
    uint64_t total = DataAreaOffset() + dataArea_.size();
    if (total > 0x7FFFFFFF)
        throw std::runtime_error("container larger than 2 GiB");
    uint32_t dataAreaOffset = static_cast<uint32_t>(DataAreaOffset());

    Bytes out;
    out.reserve(total);
    AppendBig32(out, indexEnd);
    if (hasDataArea_) {
        out.insert(out.end(), {'k', 'r', 'f', 'd'});
    } else {
        AppendBig32(out, 0);
    }
    AppendBig32(out, hasDataArea_ ? dataAreaOffset : 0);

    uint32_t offset = indexEnd;
    for (const Resource& r : resources_) {
        out.insert(out.end(), r.type.begin(), r.type.end());
        AppendBig32(out, static_cast<uint32_t>(r.data.size()));
        AppendBig32(out, offset);
        AppendBig16(out, r.number);
        Bytes name(20, 0);
        name[0] = static_cast<uint8_t>(r.name.size());
        std::copy(r.name.begin(), r.name.end(), name.begin() + 1);
        out.insert(out.end(), name.begin(), name.end());
        offset += static_cast<uint32_t>(r.data.size());
    }
    out.resize(out.size() + size_t{kSlotSize} * spareSlots_, 0);
    for (const Resource& r : resources_)
        out.insert(out.end(), r.data.begin(), r.data.end());
    out.insert(out.end(), dataArea_.begin(), dataArea_.end());
    AppendChecksumTrailer(out);
    return out;
}

void AppendChecksumTrailer(Bytes& contents) {
    std::string trailer = ChecksumTrailer(
        std::string_view(reinterpret_cast<const char*>(contents.data()), contents.size()));
    contents.insert(contents.end(), trailer.begin(), trailer.end());
}

void Reseal(Bytes& file) {
    ChecksumClaim claim;
    if (ReadTrailer(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()),
                    claim) != TrailerKind::kAbsent)
        file.erase(file.end() - static_cast<std::ptrdiff_t>(kChecksumTrailerSize), file.end());
    AppendChecksumTrailer(file);
}

void ContainerWriter::Write(const std::string& path) const {
    WriteFileBytes(path, Build());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes, const SaveCheck& check) {
    SaveResult result = SaveFileSafely(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        {.check = check});
    if (!result.Ok())
        throw std::runtime_error(result.Describe(path));
}

}  // namespace tarnik::tools
