// Which prefixes of the main dictionary get prefix nodes.
//
// A word's lookup descends the nodes along its letters as far as they go; the
// deepest node with a word block on the way searches its whole block, the nodes
// above it only their empty-stem entries. Every stem is stored in the node of its
// longest prefix that is a node: when that prefix is the whole stem, the entry
// has an empty stem and is found from the node even when a word goes on deeper;
// when it is shorter, no node lies below it on the path of any form of the stem
// (nodes are closed under prefixes), so this node is the deepest one. Any set of
// prefixes closed under prefixes therefore finds every form; the choice only
// decides the block sizes.
//
// The choice is greedy: every first letter is a node; then the node with the
// largest block gives its largest run of stems with one next letter to a new
// child, until there are `maxNodes` nodes or no block can be split. That keeps
// blocks small, so a lookup reads and scans little.
#pragma once

#include <cstddef>
#include <vector>

#include "tools/dictc/inflection_classes.h"

namespace tarnik::tools {

// The node prefixes in the order they were made: a parent always comes before its
// children, so every leading run of the result is itself closed under prefixes.
// `stems` holds one stem per entry (a stem with several classes several times);
// every stem has at least one letter.
std::vector<Codes> ChooseNodePrefixes(std::vector<Codes> stems, size_t maxNodes);

}  // namespace tarnik::tools
