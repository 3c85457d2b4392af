#include "tools/container/main_dictionary_writer.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "speller/letter_code.h"
#include "speller/main_dictionary.h"
#include "tools/container/byte_order.h"

namespace tarnik::tools {

namespace {

constexpr size_t kNodeSize = 16;
constexpr size_t kMaxPairs = kMaxSpecialListPairs;

struct ListTypes {
    const char* bases;
    const char* checks;
};

ListTypes TypesOf(SpecialListKind kind) {
    switch (kind) {
        case SpecialListKind::kAlwaysAccepted:
            return {"szli", "szch"};
        case SpecialListKind::kCapitals:
            return {"wlli", "wlch"};
        case SpecialListKind::kAbbreviations:
            break;
    }
    return {"skli", "skch"};
}

void CheckClass(InflectionClass inflection) {
    if (inflection.first < 2 || inflection.first >= kFirstCapital || inflection.second == 0) {
        throw std::invalid_argument("inflection class out of range");
    }
}

void CheckLetters(const Letters& letters) {
    if (!std::all_of(letters.begin(), letters.end(), IsWordCode)) {
        throw std::invalid_argument("a word holds a code that is not a letter");
    }
}

Letters Concat(const Letters& a, const Letters& b) {
    Letters out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

// Breadth-first order: shorter prefixes first.
bool Shallower(const Letters& a, const Letters& b) {
    return a.size() != b.size() ? a.size() < b.size() : ByteOrder{}(a, b);
}

using Blocks = std::map<Letters, std::vector<BlockEntry>, ByteOrder>;

// Each stem goes to the deepest node whose prefix begins it.
Blocks AssignStems(const std::vector<std::pair<Letters, InflectionClass>>& stems,
                   const std::set<Letters, ByteOrder>& prefixes) {
    Blocks blocks;
    for (const auto& [stem, inflection] : stems) {
        for (size_t length = stem.size(); length > 0; --length) {
            Letters prefix(stem.begin(), stem.begin() + length);
            if (prefixes.contains(prefix)) {
                blocks[prefix].push_back({Letters(stem.begin() + length, stem.end()), inflection});
                break;
            }
        }
    }
    return blocks;
}

struct NodeTable {
    std::map<Letters, uint32_t, ByteOrder> slotOf;
    std::map<Letters, uint32_t, ByteOrder> baseOf;
    uint32_t size = 0;
};

// Places every node; each parent gets a base of its own.
NodeTable PlaceNodes(const std::set<Letters, ByteOrder>& prefixes) {
    std::vector<Letters> order(prefixes.begin(), prefixes.end());
    std::sort(order.begin(), order.end(), Shallower);
    std::map<Letters, std::vector<uint8_t>, ByteOrder> children;
    for (const Letters& prefix : order) {
        children[Letters(prefix.begin(), prefix.end() - 1)].push_back(prefix.back());
    }
    NodeTable table;
    std::vector<bool> slotUsed(kMaxPrefixNodes, false);
    std::set<uint32_t> basesUsed;
    auto place = [&](const Letters& parent, uint32_t base) {
        table.baseOf[parent] = base;
        basesUsed.insert(base);
        for (uint8_t letter : children[parent]) {
            uint32_t slot = base + letter;
            slotUsed[slot] = true;
            table.slotOf[Concat(parent, {letter})] = slot;
            table.size = std::max(table.size, slot + 1);
        }
    };
    place({}, 0);
    for (const Letters& prefix : order) {
        const std::vector<uint8_t>& letters = children[prefix];
        if (letters.empty())
            continue;
        uint32_t base = 1;
        for (;; ++base) {
            if (base + letters.back() >= kMaxPrefixNodes) {
                throw std::length_error("more than 4095 prefix nodes");
            }
            if (basesUsed.contains(base))
                continue;
            if (std::none_of(letters.begin(), letters.end(),
                             [&](uint8_t x) { return slotUsed[base + x]; })) {
                break;
            }
        }
        place(prefix, base);
    }
    return table;
}

std::vector<PackedWordList> PackPairs(std::vector<Letters> words) {
    try {
        return {PackWordList(words)};
    } catch (const std::length_error&) {
        if (words.size() < 2)
            throw;
    }
    std::sort(words.begin(), words.end());
    std::vector<Letters> upper(words.begin() + words.size() / 2, words.end());
    words.resize(words.size() / 2);
    std::vector<PackedWordList> pairs = PackPairs(std::move(words));
    for (PackedWordList& pair : PackPairs(std::move(upper)))
        pairs.push_back(std::move(pair));
    return pairs;
}

}  // namespace

Bytes EncodeWordBlock(std::vector<BlockEntry> entries) {
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    Bytes out;
    const Letters* previous = nullptr;
    for (const BlockEntry& entry : entries) {
        CheckLetters(entry.stem);
        CheckClass(entry.inflection);
        size_t shared = 0;
        if (previous) {
            auto [mismatch, unused] = std::mismatch(entry.stem.begin(), entry.stem.end(),
                                                    previous->begin(), previous->end());
            shared = std::min<size_t>(mismatch - entry.stem.begin(), 255);
        }
        out.push_back(static_cast<uint8_t>(shared));
        out.insert(out.end(), entry.stem.begin() + shared, entry.stem.end());
        out.push_back(entry.inflection.first);
        out.push_back(entry.inflection.second);
        previous = &entry.stem;
    }
    out.push_back(0);
    out.push_back(0);
    if (out.size() > kMaxWordBlockSize)
        throw std::length_error("word block over 65535 bytes");
    return out;
}

PackedWordList PackWordList(std::vector<Letters> words) {
    for (Letters& word : words)
        word.push_back(kEndMark);
    std::sort(words.begin(), words.end(), ByteOrder{});
    words.erase(std::unique(words.begin(), words.end()), words.end());
    DoubleArray array = PackDoubleArray(BuildMinimalAutomaton(words));
    PackedWordList packed;
    for (uint16_t base : array.base)
        AppendBig16(packed.bases, base);
    packed.checks = std::move(array.check);
    return packed;
}

void MainDictionaryWriter::AddStem(Letters stem, InflectionClass inflection) {
    if (stem.empty())
        throw std::invalid_argument("empty stem");
    CheckLetters(stem);
    CheckClass(inflection);
    stems_.emplace_back(std::move(stem), inflection);
}

void MainDictionaryWriter::AddEnding(InflectionClass inflection, Letters ending) {
    CheckClass(inflection);
    CheckLetters(ending);
    endings_[inflection].push_back(std::move(ending));
}

void MainDictionaryWriter::AddSpecialWord(SpecialListKind kind, Letters word) {
    if (word.empty())
        throw std::invalid_argument("empty word");
    CheckLetters(word);
    specialWords_[kind].push_back(std::move(word));
}

void MainDictionaryWriter::AddNodePrefix(Letters prefix) {
    if (prefix.empty())
        throw std::invalid_argument("empty prefix");
    CheckLetters(prefix);
    nodePrefixes_.push_back(std::move(prefix));
}

void MainDictionaryWriter::AddResource(std::string type, uint16_t number, Bytes data,
                                       std::string name) {
    extraResources_.push_back({std::move(type), number, std::move(data), std::move(name)});
}

Bytes MainDictionaryWriter::Build() const {
    // The nodes: the given prefixes and every stem's first letter, closed under
    // prefixes, then grown where a block passes the target.
    std::set<Letters, ByteOrder> prefixes;
    auto addPrefix = [&](const Letters& prefix) {
        bool added = false;
        for (size_t length = 1; length <= prefix.size(); ++length) {
            added |= prefixes.emplace(prefix.begin(), prefix.begin() + length).second;
        }
        return added;
    };
    for (const Letters& prefix : nodePrefixes_)
        addPrefix(prefix);
    for (const auto& stem : stems_)
        addPrefix({stem.first[0]});
    Blocks blocks = AssignStems(stems_, prefixes);
    for (bool grown = true; grown;) {
        grown = false;
        for (const auto& [prefix, entries] : blocks) {
            if (EncodeWordBlock(entries).size() <= blockTarget_)
                continue;
            for (const BlockEntry& entry : entries) {
                if (!entry.stem.empty())
                    grown |= addPrefix(Concat(prefix, {entry.stem[0]}));
            }
        }
        if (prefixes.size() > kMaxPrefixNodes)
            throw std::length_error("more than 4095 prefix nodes");
        if (grown)
            blocks = AssignStems(stems_, prefixes);
    }
    NodeTable table = PlaceNodes(prefixes);

    ContainerWriter writer;
    std::vector<Letters> endingSequences;
    for (const auto& [inflection, endings] : endings_) {
        for (const Letters& ending : endings) {
            endingSequences.push_back(Concat({inflection.first, inflection.second}, ending));
        }
    }
    PackedWordList endingTable = PackWordList(std::move(endingSequences));
    writer.Add("BAZA", 1, std::move(endingTable.bases), "lodmiany");
    writer.Add("BAZA", 2, std::move(endingTable.checks), "codmiany");
    for (const auto& [kind, words] : specialWords_) {
        std::vector<PackedWordList> pairs = PackPairs(words);
        if (pairs.size() > kMaxPairs)
            throw std::length_error("a special list needs over ten pairs");
        ListTypes types = TypesOf(kind);
        for (size_t i = 0; i < pairs.size(); ++i) {
            writer.Add(types.bases, static_cast<uint16_t>(i + 1), std::move(pairs[i].bases));
            writer.Add(types.checks, static_cast<uint16_t>(i + 1), std::move(pairs[i].checks));
        }
    }
    for (const ExtraResource& extra : extraResources_) {
        writer.Add(extra.type, extra.number, extra.data, extra.name);
    }

    // The data area: 4 bytes, the node count, the nodes, the blocks. The blocks'
    // offsets are absolute, so the data area's own offset is found first.
    Bytes blockBytes;
    std::map<Letters, std::pair<uint32_t, uint32_t>, ByteOrder>
        blockPlace;  // offset in blockBytes, size
    for (const auto& [prefix, entries] : blocks) {
        Bytes block = EncodeWordBlock(entries);
        blockPlace[prefix] = {static_cast<uint32_t>(blockBytes.size()),
                              static_cast<uint32_t>(block.size())};
        blockBytes.insert(blockBytes.end(), block.begin(), block.end());
    }
    size_t headSize = 8 + table.size * kNodeSize;
    uint64_t dataAreaOffset = writer.DataAreaOffset();

    Bytes nodes(table.size * kNodeSize, 0);
    for (const auto& [prefix, slot] : table.slotOf) {
        uint8_t* node = nodes.data() + slot * kNodeSize;
        auto base = table.baseOf.find(prefix);
        uint16_t childBase =
            static_cast<uint16_t>(base != table.baseOf.end() ? base->second : table.size);
        node[0] = static_cast<uint8_t>(childBase >> 8);
        node[1] = static_cast<uint8_t>(childBase);
        if (auto place = blockPlace.find(prefix); place != blockPlace.end()) {
            uint32_t offset =
                static_cast<uint32_t>(dataAreaOffset + headSize + place->second.first);
            uint32_t size = place->second.second;
            for (int i = 0; i < 4; ++i) {
                node[2 + i] = static_cast<uint8_t>(offset >> (24 - 8 * i));
                node[6 + i] = static_cast<uint8_t>(size >> (24 - 8 * i));
            }
        }
        node[14] = prefix.back();
    }
    Bytes dataArea;
    AppendBig32(dataArea, 0);
    AppendBig32(dataArea, table.size);
    dataArea.insert(dataArea.end(), nodes.begin(), nodes.end());
    dataArea.insert(dataArea.end(), blockBytes.begin(), blockBytes.end());
    writer.SetDataArea(std::move(dataArea));
    return writer.Build();
}

void MainDictionaryWriter::Write(const std::string& path) const {
    WriteFileBytes(path, Build());
}

Letters ToLetters(std::string_view cp1250) {
    return TranslateWord(cp1250);
}

}  // namespace tarnik::tools
