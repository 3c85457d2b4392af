#include "tools/hyphc/pattern_trie.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <stdexcept>

namespace tarnik::tools {
namespace {

constexpr size_t kLeafBase = 1;
constexpr size_t kMaxIndex = 0xFFFF;

struct TrieNode {
    std::map<uint8_t, size_t> children;  // code -> node, in code order
    std::vector<uint8_t> levels;         // of the pattern ending here; empty when none
};

struct Slot {
    size_t base = 0;
    uint16_t output = 0;
    uint8_t check = 0;
    bool used = false;
};

std::vector<TrieNode> BuildTree(const std::vector<Pattern>& patterns) {
    std::vector<TrieNode> tree(1);  // node 0 is the root
    for (const Pattern& pattern : patterns) {
        size_t node = 0;
        for (uint8_t code : pattern.codes) {
            auto [it, added] = tree[node].children.try_emplace(code, tree.size());
            if (added)
                tree.emplace_back();
            node = it->second;
        }
        std::vector<uint8_t>& levels = tree[node].levels;
        if (levels.empty())
            levels.assign(pattern.levels.size(), 0);
        for (size_t i = 0; i < levels.size(); ++i)
            levels[i] = std::max(levels[i], pattern.levels[i]);
    }
    return tree;
}

class OutputTable {
  public:
    OutputTable() { records_.push_back({0, 0, 0}); }

    // The head of the chain for `levels` (0 when all are 0).
    uint16_t Chain(const std::vector<uint8_t>& levels) {
        std::vector<std::pair<uint8_t, uint8_t>> chain;  // offset, level
        size_t letters = levels.size() - 1;
        for (size_t i = 0; i < levels.size(); ++i)
            if (levels[i] != 0)
                chain.emplace_back(static_cast<uint8_t>(letters - i), levels[i]);
        if (chain.empty())
            return 0;
        auto [it, added] = heads_.try_emplace(chain, 0);
        if (!added)
            return it->second;
        uint16_t next = 0;
        for (auto record = chain.rbegin(); record != chain.rend(); ++record) {
            if (records_.size() > kMaxIndex)
                throw std::length_error("more than 65535 pattern outputs");
            records_.push_back({next, record->first, record->second});
            next = static_cast<uint16_t>(records_.size() - 1);
        }
        it->second = next;
        return next;
    }

    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> out;
        for (const Record& r : records_)
            out.insert(out.end(), {static_cast<uint8_t>(r.next >> 8), static_cast<uint8_t>(r.next),
                                   r.offset, r.level});
        return out;
    }

  private:
    struct Record {
        uint16_t next;
        uint8_t offset;
        uint8_t level;
    };
    std::vector<Record> records_;
    std::map<std::vector<std::pair<uint8_t, uint8_t>>, uint16_t> heads_;
};

class SlotTable {
  public:
    SlotTable() : slots_(256) {}

    Slot& operator[](size_t i) {
        if (i >= slots_.size())
            slots_.resize(i + 1);
        return slots_[i];
    }

    // The lowest base not 0 or 1 and not taken whose slots for `codes` are all free.
    size_t FindBase(const std::map<uint8_t, size_t>& codes) {
        uint8_t first = codes.begin()->first;
        for (size_t base = std::max<size_t>(2, firstFree_ > first ? firstFree_ - first : 0);;
             ++base) {
            if (bases_.count(base))
                continue;
            bool fits = std::all_of(codes.begin(), codes.end(), [&](const auto& child) {
                size_t slot = base + child.first;
                return slot >= slots_.size() || !slots_[slot].used;
            });
            if (fits) {
                if (base > kMaxIndex)
                    throw std::length_error("the pattern trie needs a base above 65535");
                bases_.insert(base);
                return base;
            }
        }
    }

    void Take(size_t slot) {
        (*this)[slot].used = true;
        while (firstFree_ < slots_.size() && slots_[firstFree_].used)
            ++firstFree_;
    }

    size_t size() const { return slots_.size(); }
    const Slot& at(size_t i) const { return slots_[i]; }

  private:
    std::vector<Slot> slots_;
    std::set<size_t> bases_;
    size_t firstFree_ = 0;
};

}  // namespace

PackedTrie PackPatterns(const std::vector<Pattern>& patterns) {
    std::vector<TrieNode> tree = BuildTree(patterns);
    OutputTable outputs;
    SlotTable slots;

    // The root's children sit at their own codes.
    std::deque<std::pair<size_t, size_t>> queue;  // tree node, slot
    for (const auto& [code, child] : tree[0].children) {
        slots.Take(code);
        slots[code].check = code;
        queue.emplace_back(child, code);
    }
    while (!queue.empty()) {
        auto [node, slot] = queue.front();
        queue.pop_front();
        const TrieNode& t = tree[node];
        uint16_t output = t.levels.empty() ? 0 : outputs.Chain(t.levels);
        size_t base = kLeafBase;
        if (!t.children.empty()) {
            base = slots.FindBase(t.children);
            for (const auto& [code, child] : t.children) {
                slots.Take(base + code);
                slots[base + code].check = code;
                queue.emplace_back(child, base + code);
            }
        }
        slots[slot].base = base;
        slots[slot].output = output;
    }

    PackedTrie packed;
    packed.nodes.reserve(slots.size() * 6);
    for (size_t i = 0; i < slots.size(); ++i) {
        const Slot& s = slots.at(i);
        packed.nodes.insert(
            packed.nodes.end(),
            {static_cast<uint8_t>(s.base >> 8), static_cast<uint8_t>(s.base),
             static_cast<uint8_t>(s.output >> 8), static_cast<uint8_t>(s.output), s.check, 0});
    }
    packed.outputs = outputs.Bytes();
    return packed;
}

}  // namespace tarnik::tools
