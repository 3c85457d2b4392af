// The hyphenation dictionary: the six resources of "PLHYPH.DAT" held in memory.
//
// The data file is a resource container whose "HYPd" resources are:
//   100 trie nodes, 6 bytes each: base (16), first output (16), check (8), unused (8)
//   101 pattern outputs, 4 bytes each: next (16), offset (8), level (8); index 0 is the end mark
//   102 input map, 256 bytes: a word byte b reads as map[b], or as b when map[b] is 0
//   105 output map, 256 bytes: the way back from stored list words to cp1250
//   103 built-in exception list
//   104 seed of a new user exception list (replaced by the user's list once loaded)
// Every 16-bit number is big-endian. The root's children are nodes 0-255 (the node
// for a first code c is node c); the child for code c of node n is node n.base + c,
// and it exists only when its check is c.
//
// Nothing in the data is trusted: a trie base, an output chain or a list entry that
// points outside its block reads as "absent", so damaged data gives no break
// rather than a wrong read.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tarnik/safe_save.h"

namespace tarnik {

enum HyphSlot : int {
    kTrieSlot = 0,
    kOutputsSlot = 1,
    kInputMapSlot = 2,
    kOutputMapSlot = 3,
    kBuiltInListSlot = 4,
    kUserListSlot = 5,
};

// The resource numbers of the slots above, in the order they are loaded.
inline constexpr std::array<uint16_t, 6> kHyphResourceIds = {100, 101, 102, 105, 103, 104};
inline constexpr char kHyphResourceType[] = "HYPd";

// Result of OpenHyphDict when the dictionary object cannot be allocated.
inline constexpr int16_t kHyphNoMemoryForDict = 300;

struct HyphDict {
    // Slots 0-5 as above. An empty block is an absent list; a map is always 256 bytes.
    std::array<std::vector<uint8_t>, 6> blocks;
    // Byte offset into the user list of the next entry NextHyphException gives.
    uint32_t listCursor = 0;
    // Where LoadUserExceptions read the user list and where it is saved.
    std::string userPath;
    // Where LoadUserExceptions kept an unreadable user file; empty when it kept none.
    std::string userBackupPath;
    // How the last save of the user list ended (lastSave.Describe(userPath) says why it failed).
    SaveResult lastSave;
};

// Opens the container at `path`, loads the six resources in the order 100, 101,
// 102, 105, 103, 104 and closes the container again. Returns 0 and sets `dict`;
// otherwise `dict` stays empty and the result is the container's error when the
// file does not open as one, the number of the first resource that is missing
// or unusable (a map shorter than 256 bytes, an exception list without its end
// mark), or 300 when the object cannot be allocated.
int16_t OpenHyphDict(const std::string& path, std::unique_ptr<HyphDict>& dict);

// Frees the dictionary; an empty `dict` is left alone.
void CloseHyphDict(std::unique_ptr<HyphDict>& dict);

// The code that byte `b` reads as through the input map.
inline uint8_t MapInput(const HyphDict& dict, uint8_t b) {
    uint8_t mapped = dict.blocks[kInputMapSlot][b];
    return mapped ? mapped : b;
}

// The cp1250 byte that stored code `c` gives through the output map.
inline uint8_t MapOutput(const HyphDict& dict, uint8_t c) {
    uint8_t mapped = dict.blocks[kOutputMapSlot][c];
    return mapped ? mapped : c;
}

}  // namespace tarnik
