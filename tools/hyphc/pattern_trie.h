// Packing Liang patterns into the hyphenation trie (resources 100 and 101).
//
// The trie is a double array of 6-byte nodes: base (16), first output (16),
// check (8), unused (8), big-endian. The node for a first code c is node c; the
// child for code c of node n is node n.base + c and carries check c. Each node
// with children has a base of its own, never 0 (the root's) nor 1: every leaf
// gets base 1, whose would-be children land on slots that can never carry the
// matching check (slot 1 + c is either the first-code node 1 + c or a child of
// a base other than 1). Free slots carry check 0, and code 0 is never looked up.
//
// Outputs are 4-byte records: next (16), offset (8), level (8); record 0 is the
// end mark. The node of a pattern's last letter heads a chain with one record
// per non-zero level: offset k for the level k letters before the pattern's end.
// Identical chains are stored once.
//
// Packing is deterministic: nodes are placed breadth first in code order, each
// at the lowest base that fits.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/hyphc/pattern_file.h"

namespace tarnik::tools {

struct PackedTrie {
    std::vector<uint8_t> nodes;    // resource 100
    std::vector<uint8_t> outputs;  // resource 101
};

// Patterns with the same letters merge, keeping the higher level at each place.
// Throws std::length_error when a base or an output index would pass 65535.
PackedTrie PackPatterns(const std::vector<Pattern>& patterns);

}  // namespace tarnik::tools
