#include "tools/dictc/prefix_tree.h"

#include <algorithm>

#include "tools/container/byte_order.h"

namespace tarnik::tools {

namespace {

size_t SharedLength(const Codes& a, const Codes& b, size_t from) {
    size_t n = 0;
    while (from + n < a.size() && from + n < b.size() && a[from + n] == b[from + n])
        ++n;
    return n;
}

// A node as the tree grows: the stems whose longest node prefix it is.
struct GrowingNode {
    Codes prefix;
    std::vector<uint32_t> stems;  // ascending, so sorted
    size_t bytes = 0;
};

class TreeBuilder {
  public:
    explicit TreeBuilder(std::vector<Codes> stems) : stems_(std::move(stems)) {
        std::sort(stems_.begin(), stems_.end(), ByteOrder{});
    }

    std::vector<Codes> Grow(size_t maxNodes) {
        nodes_.reserve(maxNodes + 256);  // Split keeps a reference across push_back
        for (uint32_t k = 0; k < stems_.size(); ++k) {
            Codes first{stems_[k][0]};
            if (nodes_.empty() || nodes_.back().prefix != first)
                nodes_.push_back({first, {}});
            nodes_.back().stems.push_back(k);
        }
        for (GrowingNode& node : nodes_)
            node.bytes = BlockBytes(node);
        while (nodes_.size() < maxNodes) {
            GrowingNode* largest = nullptr;
            for (GrowingNode& node : nodes_) {
                if (Splittable(node) && (!largest || node.bytes > largest->bytes))
                    largest = &node;
            }
            if (!largest)
                break;
            Split(*largest);
        }
        std::vector<Codes> prefixes;
        for (GrowingNode& node : nodes_)
            prefixes.push_back(std::move(node.prefix));
        return prefixes;
    }

  private:
    // A shared-prefix byte, the letters past it and two class bytes.
    size_t EntryBytes(const GrowingNode& node, size_t position) const {
        const Codes& stem = stems_[node.stems[position]];
        size_t depth = node.prefix.size();
        size_t shared =
            position > 0 ? SharedLength(stem, stems_[node.stems[position - 1]], depth) : 0;
        return 1 + (stem.size() - depth - shared) + 2;
    }

    size_t BlockBytes(const GrowingNode& node) const {
        size_t bytes = 2;
        for (size_t p = 0; p < node.stems.size(); ++p)
            bytes += EntryBytes(node, p);
        return bytes;
    }

    bool Splittable(const GrowingNode& node) const {
        return !node.stems.empty() && stems_[node.stems.back()].size() > node.prefix.size();
    }

    // Moves the heaviest run of stems that go on with one letter into a child.
    void Split(GrowingNode& node) {
        size_t depth = node.prefix.size();
        size_t bestFirst = 0, bestLast = 0, bestBytes = 0;
        for (size_t first = 0; first < node.stems.size();) {
            const Codes& stem = stems_[node.stems[first]];
            size_t last = first + 1;
            size_t bytes = EntryBytes(node, first);
            if (stem.size() > depth) {
                while (last < node.stems.size() && stems_[node.stems[last]].size() > depth &&
                       stems_[node.stems[last]][depth] == stem[depth]) {
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
        GrowingNode child;
        child.prefix = node.prefix;
        child.prefix.push_back(stems_[node.stems[bestFirst]][depth]);
        child.stems.assign(node.stems.begin() + static_cast<ptrdiff_t>(bestFirst),
                           node.stems.begin() + static_cast<ptrdiff_t>(bestLast));
        node.stems.erase(node.stems.begin() + static_cast<ptrdiff_t>(bestFirst),
                         node.stems.begin() + static_cast<ptrdiff_t>(bestLast));
        node.bytes = BlockBytes(node);
        child.bytes = BlockBytes(child);
        nodes_.push_back(std::move(child));  // `node` is not used after this
    }

    std::vector<Codes> stems_;
    std::vector<GrowingNode> nodes_;
};

}  // namespace

std::vector<Codes> ChooseNodePrefixes(std::vector<Codes> stems, size_t maxNodes) {
    return TreeBuilder(std::move(stems)).Grow(maxNodes);
}

}  // namespace tarnik::tools
