#include "tools/dictc/prefix_tree.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "speller/letter_code.h"
#include "tools/container/container_writer.h"
#include "tools/container/double_array.h"

namespace tarnik::tools {

namespace {

constexpr int32_t kNoNode = -1;
constexpr size_t kMaxSharedPrefix = 255;

bool EntryLess(const StemEntry& a, const StemEntry& b) {
    if (a.stem != b.stem)
        return a.stem < b.stem;
    if (a.code.first != b.code.first)
        return a.code.first < b.code.first;
    return a.code.second < b.code.second;
}

bool EntryEqual(const StemEntry& a, const StemEntry& b) {
    return a.stem == b.stem && a.code.first == b.code.first && a.code.second == b.code.second;
}

size_t SharedLength(const Codes& a, size_t fromA, const Codes& b, size_t fromB) {
    size_t n = 0;
    while (fromA + n < a.size() && fromB + n < b.size() && a[fromA + n] == b[fromB + n])
        ++n;
    return n;
}

// A node of the tree as it grows: the entries whose longest node prefix it is.
struct GrowingNode {
    int32_t parent;
    uint8_t letter;
    size_t depth;
    std::vector<uint32_t> entries;  // ascending, so sorted by stem
    size_t bytes = 0;
};

class TreeBuilder {
  public:
    explicit TreeBuilder(const std::vector<StemEntry>& entries) : entries_(entries) {}

    // Grows the tree to at most `maxNodes` nodes; returns the nodes in the
    // order they were made (a parent always before its children).
    std::vector<GrowingNode> Grow(size_t maxNodes) {
        for (uint32_t k = 0; k < entries_.size(); ++k) {
            uint8_t letter = entries_[k].stem[0];
            if (nodes_.empty() || nodes_.back().letter != letter)
                nodes_.push_back({kNoNode, letter, 1, {}});
            nodes_.back().entries.push_back(k);
        }
        for (GrowingNode& node : nodes_)
            node.bytes = BlockBytes(node);
        while (nodes_.size() < maxNodes) {
            int32_t largest = kNoNode;
            for (size_t i = 0; i < nodes_.size(); ++i) {
                if (Splittable(nodes_[i]) &&
                    (largest == kNoNode || nodes_[i].bytes > nodes_[largest].bytes))
                    largest = static_cast<int32_t>(i);
            }
            if (largest == kNoNode)
                break;
            Split(static_cast<size_t>(largest));
        }
        return std::move(nodes_);
    }

  private:
    size_t EntryBytes(const GrowingNode& node, size_t position) const {
        const Codes& stem = entries_[node.entries[position]].stem;
        size_t shared = 0;
        if (position > 0)
            shared = SharedLength(stem, node.depth, entries_[node.entries[position - 1]].stem,
                                  node.depth);
        return 1 + (stem.size() - node.depth - shared) + 2;
    }

    size_t BlockBytes(const GrowingNode& node) const {
        size_t bytes = 2;
        for (size_t p = 0; p < node.entries.size(); ++p)
            bytes += EntryBytes(node, p);
        return bytes;
    }

    bool Splittable(const GrowingNode& node) const {
        return !node.entries.empty() && entries_[node.entries.back()].stem.size() > node.depth;
    }

    // Moves the heaviest run of entries that go on with one letter into a child.
    void Split(size_t index) {
        GrowingNode& node = nodes_[index];
        size_t bestFirst = 0, bestLast = 0, bestBytes = 0;
        for (size_t first = 0; first < node.entries.size();) {
            const Codes& stem = entries_[node.entries[first]].stem;
            size_t last = first + 1;
            size_t bytes = EntryBytes(node, first);
            if (stem.size() > node.depth) {
                while (last < node.entries.size() &&
                       entries_[node.entries[last]].stem.size() > node.depth &&
                       entries_[node.entries[last]].stem[node.depth] == stem[node.depth]) {
                    bytes += EntryBytes(node, last);
                    ++last;
                }
                if (bytes > bestBytes) {
                    bestFirst = first;
                    bestLast = last;
                    bestBytes = bytes;
                }
            }
            first = last;
        }
        GrowingNode child{static_cast<int32_t>(index),
                          entries_[node.entries[bestFirst]].stem[node.depth],
                          node.depth + 1,
                          {node.entries.begin() + bestFirst, node.entries.begin() + bestLast}};
        node.entries.erase(node.entries.begin() + bestFirst, node.entries.begin() + bestLast);
        node.bytes = BlockBytes(node);
        child.bytes = BlockBytes(child);
        nodes_.push_back(std::move(child));
    }

    const std::vector<StemEntry>& entries_;
    std::vector<GrowingNode> nodes_;
};

// The first `count` nodes as an automaton: state 0 the root, node i state i + 1.
Automaton TreeAutomaton(const std::vector<GrowingNode>& nodes, size_t count) {
    Automaton automaton;
    automaton.states.resize(count + 1);
    for (size_t i = 0; i < count; ++i) {
        size_t parentState = static_cast<size_t>(nodes[i].parent + 1);
        automaton.states[parentState].push_back({nodes[i].letter, static_cast<uint32_t>(i + 1)});
    }
    for (auto& transitions : automaton.states) {
        std::sort(transitions.begin(), transitions.end(),
                  [](const auto& a, const auto& b) { return a.symbol < b.symbol; });
    }
    return automaton;
}

void EncodeBlock(const std::vector<StemEntry>& entries, const std::vector<uint32_t>& members,
                 size_t depth, Codes& out) {
    const Codes* previous = nullptr;
    for (uint32_t k : members) {
        const StemEntry& entry = entries[k];
        size_t shared = previous ? SharedLength(entry.stem, depth, *previous, depth) : 0;
        if (entry.stem.size() - depth > kMaxSharedPrefix)
            throw std::invalid_argument("a stem runs more than 255 letters past its node");
        out.push_back(static_cast<uint8_t>(shared));
        out.insert(out.end(), entry.stem.begin() + static_cast<ptrdiff_t>(depth + shared),
                   entry.stem.end());
        out.push_back(entry.code.first);
        out.push_back(entry.code.second);
        previous = &entry.stem;
    }
    out.push_back(0);
    out.push_back(0);
}

}  // namespace

Codes MainDictionaryLayout::DataArea(uint32_t dataAreaOffset) const {
    Codes area;
    AppendBig32(area, 0);
    AppendBig32(area, static_cast<uint32_t>(table.size()));
    uint32_t blocksOffset = dataAreaOffset + 8 + static_cast<uint32_t>(table.size()) * 16;
    for (const PrefixNode& node : table) {
        AppendBig16(area, node.childBase);
        AppendBig32(area, node.blockSize ? blocksOffset + node.blockStart : 0);
        AppendBig32(area, node.blockSize);
        AppendBig32(area, 0);
        area.push_back(node.letter);
        area.push_back(0);
    }
    area.insert(area.end(), blocks.begin(), blocks.end());
    return area;
}

MainDictionaryLayout LayOutMainDictionary(std::vector<StemEntry> entries, size_t maxSlots) {
    for (const StemEntry& entry : entries) {
        if (entry.stem.empty())
            throw std::invalid_argument("an empty stem");
    }
    std::sort(entries.begin(), entries.end(), EntryLess);
    entries.erase(std::unique(entries.begin(), entries.end(), EntryEqual), entries.end());

    std::vector<GrowingNode> grown = TreeBuilder(entries).Grow(maxSlots);

    // Keep the most nodes that fit the table; every other slot below the first
    // small letter stays empty, since bases start at 1.
    size_t count = std::min(grown.size(), maxSlots > kFirstSmall ? maxSlots - kFirstSmall : 0);
    DoubleArray packed;
    for (;; count -= std::min<size_t>(count, 8)) {
        if (count == 0)
            throw std::length_error("the prefix-node table cannot hold the first letters");
        try {
            packed = PackDoubleArray(TreeAutomaton(grown, count), maxSlots);
            break;
        } catch (const std::length_error&) {
        }
    }

    MainDictionaryLayout layout;
    layout.nodeCount = count;
    layout.entryCount = entries.size();
    layout.table.resize(packed.check.size());
    const uint16_t pastTable = static_cast<uint16_t>(packed.check.size());
    std::vector<size_t> slotOf(count);
    std::vector<std::array<int32_t, 256>> children(count);
    std::array<int32_t, 256> roots;
    roots.fill(kNoNode);
    for (auto& row : children)
        row.fill(kNoNode);
    for (size_t i = 0; i < count; ++i) {
        const GrowingNode& node = grown[i];
        size_t parentBase =
            node.parent == kNoNode ? 0 : layout.table[slotOf[node.parent]].childBase;
        slotOf[i] = parentBase + node.letter;
        layout.table[slotOf[i]].letter = node.letter;
        layout.table[slotOf[i]].childBase = packed.base[slotOf[i]];
        (node.parent == kNoNode ? roots : children[node.parent])[node.letter] =
            static_cast<int32_t>(i);
    }
    for (size_t i = 0; i < count; ++i) {
        bool leaf = std::all_of(children[i].begin(), children[i].end(),
                                [](int32_t c) { return c == kNoNode; });
        if (leaf)
            layout.table[slotOf[i]].childBase = pastTable;
    }

    // Each entry goes to the deepest node along its stem.
    std::vector<std::vector<uint32_t>> members(count);
    for (uint32_t k = 0; k < entries.size(); ++k) {
        const Codes& stem = entries[k].stem;
        int32_t node = roots[stem[0]];
        for (size_t depth = 1; depth < stem.size() && children[node][stem[depth]] != kNoNode;
             ++depth)
            node = children[node][stem[depth]];
        members[node].push_back(k);
    }
    for (size_t slot = 0; slot < layout.table.size(); ++slot) {
        PrefixNode& record = layout.table[slot];
        if (record.letter == 0)
            continue;
        size_t i =
            static_cast<size_t>(std::find(slotOf.begin(), slotOf.end(), slot) - slotOf.begin());
        if (members[i].empty())
            continue;
        record.blockStart = static_cast<uint32_t>(layout.blocks.size());
        EncodeBlock(entries, members[i], grown[i].depth, layout.blocks);
        record.blockSize = static_cast<uint32_t>(layout.blocks.size()) - record.blockStart;
        if (record.blockSize > kMaxBlockBytes)
            throw std::length_error("a word block of " + std::to_string(record.blockSize) +
                                    " bytes; the table has too few nodes to split it");
        layout.largestBlock = std::max<size_t>(layout.largestBlock, record.blockSize);
    }
    return layout;
}

}  // namespace tarnik::tools
