// The special word lists (always-accepted words, words that need capitals,
// abbreviations): each kind is up to ten double arrays of at most 65,536 states,
// and a word is held when any of them holds it.
#pragma once

#include <vector>

#include "tools/container/double_array.h"
#include "tools/dictc/inflection_classes.h"

namespace tarnik::tools {

inline constexpr size_t kMaxListPairs = 10;
inline constexpr size_t kMaxListStates = 65536;

// Packs `words` (letter codes, each closed by the end mark) into as few arrays as
// it can: the sorted words are cut into runs, each as long as its minimal
// automaton still fits one array, and each run is packed on its own. Repeats are
// dropped. Throws std::length_error when `maxArrays` arrays cannot hold them.
std::vector<DoubleArray> PackWordList(std::vector<Codes> words, size_t maxArrays = kMaxListPairs,
                                      size_t maxStates = kMaxListStates);

}  // namespace tarnik::tools
