// The exception list format shared by the built-in list, the seed list and the
// user's "PLHYPH.USR".
//
// A list is a run of entries ended by a single 0 byte. An entry of n bytes:
//   n, the word length L, the L word codes, 0, the break positions, 0
// so n = L + breaks + 4. A position k means a break after the k-th letter; the
// positions ascend. Entries are ordered longest word first, then by the words'
// bytes as unsigned values; a word occurs once. Words are stored in the codes of
// the input map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tarnik {

using ListBytes = std::span<const uint8_t>;

// At most this many breaks in one entry, and an entry fits its one-byte length.
inline constexpr size_t kMaxExceptionBreaks = 49;
inline constexpr size_t kMaxExceptionEntry = 255;

struct ListEntry {
    ListBytes word;
    ListBytes breaks;
    size_t size = 0;  // the whole entry in bytes
};

enum class ListRead { kEntry, kEnd, kDamaged };

// Reads the entry at `offset`. kEnd at the end mark; kDamaged when the entry
// (or the end mark) does not lie within the list or its fields disagree.
ListRead ReadListEntry(ListBytes list, size_t offset, ListEntry& entry);

// True when the entries lead to an end mark within the list.
bool IsWellFormedList(ListBytes list);

// Where `word` stands in the list: the offset of its entry when found, else of
// the entry before which it belongs (or of the end mark). A damaged entry ends
// the search there, not found.
struct ListPlace {
    size_t offset = 0;
    bool found = false;
};
ListPlace FindInList(ListBytes list, ListBytes word);

// A hyphenated word ("kon-stan-ty") read through an input map of 256 codes: the
// letters' codes and the breaks, each the number of letters before a '-'.
// Reading stops at a NUL. Hyphens at the word's edges and repeated ones add no
// break.
struct ExceptionWord {
    std::vector<uint8_t> word;
    std::vector<uint8_t> breaks;
};
ExceptionWord ParseHyphenatedWord(ListBytes inputMap, std::string_view text);

enum class ListInsert { kAdded, kPresent, kTooLong };

// Inserts the word's entry in its place in `list` (which must be well formed).
// kPresent leaves the list as it was, whatever breaks the listed entry has.
// Throws std::bad_alloc when the list cannot grow.
ListInsert InsertInList(std::vector<uint8_t>& list, const ExceptionWord& word);

}  // namespace tarnik
