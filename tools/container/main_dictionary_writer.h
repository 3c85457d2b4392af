// Lays out and writes a main dictionary "son.dic" from a description: stems with
// their inflection classes, the endings of each class, the special word lists,
// and (optionally) the prefixes that get prefix nodes.
//
// All words are in the speller's letter code (speller/letter_code.h) without the
// end mark; stems, endings, always-accepted words and abbreviations in small
// letters, capitals-list words as they must be written ("Warszawa", "PKP").
//
// Layout:
//   - prefix nodes form a trie over the stems' leading letters; a stem goes into
//     the block of the deepest node whose prefix begins it (as an empty stem when
//     it equals that prefix). Every first letter of a stem gets a node. Without
//     given prefixes, nodes are added under any node whose block would pass the
//     block-size target, letter by letter, until every block fits.
//   - node slots: the root's children sit at their letter codes; every other
//     parent gets its own base, distinct from all others, so that a letter
//     followed from one node can never land on another node's child; childless
//     nodes get the table size as their base, which leads outside the table.
//   - data area: 4 zero bytes, the node count, the nodes, then the word blocks.
//   - ending table: "BAZA" "lodmiany"/"codmiany", a double array over
//     (class, ending, end mark); special lists: as many "szli"/"szch",
//     "wlli"/"wlch", "skli"/"skch" pairs as the double arrays need (at most ten).
// Limits as the reader has them: at most 4095 nodes and 65535 bytes a block;
// past them Build throws std::length_error.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/container/container_writer.h"
#include "tools/container/double_array.h"

namespace tarnik::tools {

using Letters = std::vector<uint8_t>;

// An inflection class: the first byte 2 to 43, the second non-zero.
struct InflectionClass {
    uint8_t first;
    uint8_t second;
    auto operator<=>(const InflectionClass&) const = default;
};

enum class SpecialListKind { kAlwaysAccepted, kCapitals, kAbbreviations };

// One entry of a word block: the stem's letters after the node's prefix.
struct BlockEntry {
    Letters stem;
    InflectionClass inflection;
    auto operator<=>(const BlockEntry&) const = default;
};

// A word block: entries sorted and made unique, each as a shared-prefix byte,
// the remaining stem letters and the class, closed by 0, 0.
Bytes EncodeWordBlock(std::vector<BlockEntry> entries);

// A double array over `words`, each closed by the end mark: the 16-bit
// big-endian bases and the check bytes, as the reader loads them.
struct PackedWordList {
    Bytes bases;
    Bytes checks;
};
PackedWordList PackWordList(std::vector<Letters> words);

class MainDictionaryWriter {
  public:
    void AddStem(Letters stem, InflectionClass inflection);
    // An ending of `inflection`; the empty ending lets the bare stem pass.
    void AddEnding(InflectionClass inflection, Letters ending);
    void AddSpecialWord(SpecialListKind kind, Letters word);
    // A prefix that gets a prefix node (with all its own prefixes).
    void AddNodePrefix(Letters prefix);
    // The block-size target for nodes chosen automatically (default 4096).
    void SetBlockTarget(size_t bytes) { blockTarget_ = bytes; }

    // A further resource, written after the dictionary's own.
    void AddResource(std::string type, uint16_t number, Bytes data, std::string name = {});

    // The whole file. Throws std::length_error past the limits.
    Bytes Build() const;
    // Builds and writes to `path`; throws std::runtime_error when it cannot.
    void Write(const std::string& path) const;

  private:
    std::vector<std::pair<Letters, InflectionClass>> stems_;
    std::map<InflectionClass, std::vector<Letters>> endings_;
    std::map<SpecialListKind, std::vector<Letters>> specialWords_;
    std::vector<Letters> nodePrefixes_;
    struct ExtraResource {
        std::string type;
        uint16_t number;
        Bytes data;
        std::string name;
    };
    std::vector<ExtraResource> extraResources_;
    size_t blockTarget_ = 4096;
};

// Letter codes of a cp1250 word, case kept, as the speller translates it.
Letters ToLetters(std::string_view cp1250);

}  // namespace tarnik::tools
