#include "hyphenation/hyph_dict.h"

#include <new>

#include "hyphenation/exception_list.h"
#include "speller/resource_container.h"

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
    ContainerHandle handle = container::Open(path);
    if (handle == 0)
        return container::LastError();
    std::array<std::vector<uint8_t>, 6> blocks;
    for (int slot = 0; slot < 6; ++slot) {
        std::optional<Bytes> block =
            container::GetByNumber(kHyphResourceType, kHyphResourceIds[slot]);
        if (!block || !IsUsable(slot, *block)) {
            container::Close(handle);
            return static_cast<int16_t>(kHyphResourceIds[slot]);
        }
        blocks[slot] = std::move(*block);
    }
    container::Close(handle);
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
