// The search inside one word block of the main dictionary.
//
// A word block is a sorted run of entries: a shared-prefix byte (how many leading
// letters the entry's stem shares with the stem before it), the stem's remaining
// letters (codes 44 and above), and a two-byte inflection class (first byte 2 to
// 43). The block ends with 0, 0. A stem stands for the letters that follow its
// node's prefix; entries with an empty stem may open the block and give the
// classes of the prefix itself. An inflected form is a stem followed by an ending
// that the ending table accepts for the stem's class.
//
// Every read is bounded by the block: a block without its end, or an entry cut
// short, simply ends the search.
#pragma once

#include <cstdint>
#include <span>

#include "speller/double_array_trie.h"
#include "speller/letter_code.h"

namespace tarnik {

// Whether the ending table accepts `ending` (letters and the end mark) for the
// inflection class (c1, c2). The ending table is keyed by c1, c2, the ending's
// letters and the end mark.
bool EndingAccepted(const DoubleArrayTrie& endings, uint8_t c1, uint8_t c2, LetterWord ending);

// Whether some stem of the block followed by an ending of its class spells
// `rest` (letters and the end mark).
bool FullBlockSearch(std::span<const uint8_t> block, LetterWord rest,
                     const DoubleArrayTrie& endings);

// Whether one of the empty-stem entries that open the block accepts `rest` as
// an ending of its class.
bool PrefixStemSearch(std::span<const uint8_t> block, LetterWord rest,
                      const DoubleArrayTrie& endings);

}  // namespace tarnik
