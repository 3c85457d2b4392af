// The resource container: any file is refused or read; every resource, the data
// area and raw reads stay within what the file holds.
#include <cstdint>
#include <string>
#include <string_view>

#include "files/resource_container.h"
#include "fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = fuzz::WriteScratch(
        "container", std::string_view(reinterpret_cast<const char*>(data), size));
    tarnik::ResourceContainer container;
    tarnik::ContainerHandle handle = container.Open(path);
    if (!handle)
        return 0;
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
    return 0;
}
