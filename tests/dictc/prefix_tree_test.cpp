#include "tools/dictc/prefix_tree.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarnik::tools {
namespace {

// 20,000 distinct stems "a" + three letters, each about five bytes in a block.
std::vector<StemEntry> ManyStemsUnderOneLetter() {
    std::vector<StemEntry> entries;
    for (uint8_t x = 92; x < 126; ++x)
        for (uint8_t y = 92; y < 126; ++y)
            for (uint8_t z = 92; z < 126 && entries.size() < 20000; ++z)
                entries.push_back({{92, x, y, z}, {2, 1}});
    return entries;
}

TEST(LayOutMainDictionary, SplitsBlocksWithinTheLimitWhileTheTableHasRoom) {
    MainDictionaryLayout layout = LayOutMainDictionary(ManyStemsUnderOneLetter());
    EXPECT_LE(layout.table.size(), kMaxTableSlots);
    EXPECT_LE(layout.largestBlock, kMaxBlockBytes);
    EXPECT_GT(layout.nodeCount, 1000u);
    // No child base leads back among the root's letters.
    for (const PrefixNode& node : layout.table) {
        if (node.letter != 0) {
            EXPECT_GE(node.childBase, 1);
        }
    }
}

TEST(LayOutMainDictionary, RefusesABlockPastTheLimitWhenTheTableIsFull) {
    // A table of 93 slots holds "a" (slot 92) and no child.
    EXPECT_THROW(LayOutMainDictionary(ManyStemsUnderOneLetter(), 93), std::length_error);
    EXPECT_THROW(LayOutMainDictionary({{{}, {2, 1}}}), std::invalid_argument);
}

}  // namespace
}  // namespace tarnik::tools
