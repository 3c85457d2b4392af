// The resource container: any file is refused or read; every resource, the data
// area and raw reads stay within what the file holds. Each input is opened as
// it is (the checksum check: an input without a sound trailer is refused) and
// sealed with a trailer (the format's own reading).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/resource_container.h"
#include "fuzz/fuzz_files.h"

namespace {

void ReadContainer(const uint8_t* data, size_t size, std::string_view bytes) {
    std::string path = fuzz::WriteScratch("container", bytes);
    tarnik::ResourceContainer container;
    tarnik::ContainerHandle handle = container.Open(path);
    if (!handle)
        return;
    for (const char* type : {"BAZA", "HYPd", "szli", "szch", "wlli", "wlch", "skli", "skch"}) {
        int count = container.Count(type);
        for (int n = 1; n <= count && n <= 16; ++n)
            container.GetNth(type, n);
        for (uint16_t number = 0; number < 8; ++number)
            container.GetByNumber(type, number);
        container.GetByNumber(type, 100);
    }
    container.GetByName("BAZA", "lodmiany");
    container.GetByName("BAZA", "codmiany");
    uint8_t buffer[64];
    if (container.OpenDataArea()) {
        container.ReadRaw(handle, 4, buffer);
        container.ReadRaw(handle, sizeof buffer, buffer);
    }
    // Reads at the offsets the file's own first bytes name, past its end too.
    for (size_t i = 0; i + 4 <= size && i < 32; i += 4) {
        uint32_t offset = uint32_t(data[i]) << 24 | uint32_t(data[i + 1]) << 16 |
                          uint32_t(data[i + 2]) << 8 | data[i + 3];
        container.ReadAt(handle, offset, sizeof buffer, buffer);
    }
    container.Close(handle);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view raw(reinterpret_cast<const char*>(data), size);
    std::string_view contents;
    // Only a sound trailer opens: anything else is refused before the format is read.
    bool sound = tarnik::CheckTrailer(raw, contents) == tarnik::ChecksumVerdict::kSound;
    tarnik::ResourceContainer container;
    tarnik::ContainerHandle handle = container.Open(fuzz::WriteScratch("container", raw));
    if (handle && !sound)
        std::abort();
    if (!handle && !sound && container.LastError() != tarnik::kContainerDamaged)
        std::abort();
    container.Close(handle);
    ReadContainer(data, size, fuzz::Sealed(data, size));
    return 0;
}
