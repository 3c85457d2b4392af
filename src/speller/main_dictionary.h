// The main dictionary "son.dic", a resource container holding:
//   - in its data area: 4 bytes, a node count N and N prefix nodes of 16 bytes
//     (child base, word-block offset and size, letter code); the children of a
//     node lie at table index child base + letter code, the root's at the letter
//     code itself;
//   - the ending table: "BAZA" resources named "lodmiany" (bases) and
//     "codmiany" (checks), a double-array trie keyed by an inflection class and
//     an ending;
//   - up to ten pairs of each special word list, double-array tries over letter
//     codes: always-accepted words ("szli"/"szch"), words that need capitals
//     ("wlli"/"wlch") and abbreviations ("skli"/"skch");
//   - the word blocks, read when a lookup first reaches their node and kept
//     until the dictionary is closed.
// At most one main dictionary is open per process; it keeps its container open.
#pragma once

#include <cstdint>
#include <string>

#include "speller/letter_code.h"

namespace tarnik {

inline constexpr char kSpellerVersion[] = "Morvilant Speller Library version 8220";

// The result of SpellerOpen for every failure after the container was opened.
constexpr int16_t kSpellerOpenFailed = 1;

// Each raw read of the data area is at most 65535 bytes, so a dictionary has at
// most 4095 prefix nodes and a word block at most 65535 bytes. A dictionary with
// more nodes does not open; a block stated larger cannot be read and holds
// nothing.
constexpr uint32_t kMaxPrefixNodes = 4095;
constexpr uint32_t kMaxWordBlockSize = 65535;

// At most this many resource pairs of each special-list kind are used.
constexpr int kMaxSpecialListPairs = 10;

enum class SpecialList { kAlwaysAccepted, kCapitals, kAbbreviations };

// Opens the dictionary at `path`. 0 on success; the container's error number
// when the file cannot be opened as a container (-43 when it cannot be opened at
// all); 1 for any later failure (no data area, a short read, too many nodes, no
// ending table, a special-list kind with unequal numbers of base and check
// arrays). After a failure nothing stays open. A dictionary open before is
// closed first.
int16_t SpellerOpen(const std::string& path);

// Releases the cached word blocks, the tables and the lists, closes the
// container and every open user dictionary. Harmless when nothing is open.
void SpellerClose();

bool SpellerIsOpen();

// The path the open main dictionary was opened from; empty while none is open.
const std::string& OpenDictionaryPath();

// How many main dictionaries have opened so far: what is read beside a
// dictionary is read again after each opening.
uint64_t MainDictionaryOpenings();

// Whether a special list of `kind` holds `word`; false while no dictionary is open.
bool SpecialListContains(SpecialList kind, LetterWord word);

// Whether `word` (small letters) is a stem of the main dictionary followed by an
// ending of the stem's class. The deepest node on the word's path that has a
// word block is searched for every stem; the nodes above it only for stems equal
// to their own prefix. A block that cannot be allocated lets the word through; a
// block that cannot be read holds nothing. False while no dictionary is open.
bool MainDictionaryContains(LetterWord word);

}  // namespace tarnik
