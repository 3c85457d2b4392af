// The main dictionary's prefix-node table and word blocks.
//
// A word's lookup descends the nodes along its letters as far as they go; the
// deepest node with a word block on the way searches its whole block, the nodes
// above it only their empty-stem entries. So every stem is stored in the node of
// its longest prefix that is a node: when that prefix is the whole stem, the
// entry has an empty stem and is found from the node even when a word goes on
// deeper; when it is shorter, no node lies below it on the path of any form of
// the stem (nodes are closed under prefixes), so this node is the deepest one.
//
// The nodes are chosen greedily: the node with the largest block gives its
// largest run of stems with one next letter to a new child, until the table is
// full. That keeps blocks small, so a lookup reads and scans little. The table is
// a double array over letter codes with one child base per node; a node without
// children gets a base past the table, where no letter can match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/dictc/inflection_classes.h"

namespace tarnik::tools {

struct StemEntry {
    Codes stem;  // small letters, at least one
    ClassCode code;
};

struct PrefixNode {
    uint16_t childBase = 0;
    uint32_t blockStart = 0;  // within MainDictionaryLayout::blocks
    uint32_t blockSize = 0;   // 0: no block
    uint8_t letter = 0;       // 0: an empty slot
};

struct MainDictionaryLayout {
    std::vector<PrefixNode> table;  // indexed by slot
    Codes blocks;                   // every block, one after another
    size_t nodeCount = 0;
    size_t entryCount = 0;
    size_t largestBlock = 0;

    // The data area: 4 unused bytes, the slot count, the table (block offsets
    // absolute, the data area starting at `dataAreaOffset`) and the blocks.
    Codes DataArea(uint32_t dataAreaOffset) const;
};

inline constexpr size_t kMaxTableSlots = 4095;
inline constexpr size_t kMaxBlockBytes = 65535;

// Lays out `entries` (any order; repeats are dropped). Throws std::length_error
// when a block cannot be kept within kMaxBlockBytes, and std::invalid_argument
// for an empty stem or one with more than 255 letters past its node.
MainDictionaryLayout LayOutMainDictionary(std::vector<StemEntry> entries,
                                          size_t maxSlots = kMaxTableSlots);

}  // namespace tarnik::tools
