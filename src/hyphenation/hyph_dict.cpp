#include "hyphenation/hyph_dict.h"

#include <new>

#include "files/resource_container.h"
#include "hyphenation/exception_list.h"

namespace tarnik {
namespace {

// A block that cannot serve its slot counts as missing.
bool IsUsable(int slot, const std::vector<uint8_t>& block) {
    switch (slot) {
        case kInputMapSlot:
        case kOutputMapSlot:
            return block.size() >= 256;
        case kBuiltInListSlot:
        case kUserListSlot:
            return block.empty() || IsWellFormedList(block);
        default:
            return true;
    }
}

}  // namespace

int16_t OpenHyphDict(const std::string& path, std::unique_ptr<HyphDict>& dict) {
    dict.reset();
    // The data file has a reader of its own, so loading it never disturbs the
    // speller's open dictionary.
    ResourceContainer reader;
    ContainerHandle handle = reader.Open(path);
    if (handle == 0)
        return reader.LastError();
    std::array<std::vector<uint8_t>, 6> blocks;
    for (int slot = 0; slot < 6; ++slot) {
        std::optional<Bytes> block = reader.GetByNumber(kHyphResourceType, kHyphResourceIds[slot]);
        if (!block || !IsUsable(slot, *block)) {
            reader.Close(handle);
            return static_cast<int16_t>(kHyphResourceIds[slot]);
        }
        blocks[slot] = std::move(*block);
    }
    reader.Close(handle);
    dict.reset(new (std::nothrow) HyphDict);
    if (!dict)
        return kHyphNoMemoryForDict;
    dict->blocks = std::move(blocks);
    return 0;
}

void CloseHyphDict(std::unique_ptr<HyphDict>& dict) {
    dict.reset();
}

}  // namespace tarnik
