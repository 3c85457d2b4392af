#include "speller/main_dictionary.h"

#include <array>
#include <new>
#include <optional>
#include <vector>

#include "files/byte_order.h"
#include "files/resource_container.h"
#include "speller/double_array_trie.h"
#include "speller/user_dictionary.h"
#include "speller/word_block.h"

namespace tarnik {

namespace {

constexpr size_t kNodeSize = 16;

struct PrefixNode {
    uint16_t childBase = 0;
    uint32_t blockOffset = 0;
    uint32_t blockSize = 0;
    uint8_t letter = 0;  // 0: an empty slot
    bool blockCached = false;
    std::vector<uint8_t> block;
};

struct SpecialListTypes {
    ResourceType bases;
    ResourceType checks;
};

constexpr std::array<SpecialListTypes, 3> kSpecialListTypes = {
    {{"szli", "szch"}, {"wlli", "wlch"}, {"skli", "skch"}}};

// The one open main dictionary of the process, with its own container reader.
struct MainDictionaryState {
    ResourceContainer reader;
    ContainerHandle container = 0;
    std::vector<PrefixNode> nodes;
    DoubleArrayTrie endings;
    std::array<std::vector<DoubleArrayTrie>, 3> specialLists;
    std::string path;       // of the open dictionary
    uint64_t openings = 0;  // dictionaries opened so far

    void Release() {
        if (container != 0)
            reader.Close(container);
        container = 0;
        path.clear();
        nodes.clear();
        endings = {};
        for (auto& lists : specialLists)
            lists.clear();
    }
};

MainDictionaryState& State() {
    static MainDictionaryState state;
    return state;
}

bool ReadNodes(MainDictionaryState& s) {
    uint8_t head[8];
    if (!s.reader.OpenDataArea() || !s.reader.ReadRaw(s.container, sizeof head, head)) {
        return false;
    }
    uint32_t count = ReadBig32(head + 4);
    if (count > kMaxPrefixNodes)
        return false;
    std::vector<uint8_t> raw(count * kNodeSize);
    if (!s.reader.ReadRaw(s.container, raw.size(), raw.data()))
        return false;
    s.nodes.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = raw.data() + i * kNodeSize;
        PrefixNode& node = s.nodes[i];
        node.letter = p[14];
        if (node.letter == 0)
            continue;
        node.childBase = ReadBig16(p);
        node.blockOffset = ReadBig32(p + 2);
        node.blockSize = ReadBig32(p + 6);
    }
    return true;
}

bool ReadEndingTable(MainDictionaryState& s) {
    std::optional<Bytes> bases = s.reader.GetByName("BAZA", "lodmiany");
    if (!bases)
        return false;
    std::optional<Bytes> checks = s.reader.GetByName("BAZA", "codmiany");
    if (!checks)
        return false;
    s.endings = DoubleArrayTrie(std::move(*bases), std::move(*checks));
    return true;
}

bool ReadSpecialLists(MainDictionaryState& s) {
    for (size_t kind = 0; kind < kSpecialListTypes.size(); ++kind) {
        const SpecialListTypes& types = kSpecialListTypes[kind];
        int count = s.reader.Count(types.bases);
        if (count != s.reader.Count(types.checks))
            return false;
        for (int n = 1; n <= std::min(count, kMaxSpecialListPairs); ++n) {
            std::optional<Bytes> bases = s.reader.GetNth(types.bases, n);
            std::optional<Bytes> checks = s.reader.GetNth(types.checks, n);
            if (bases && checks)
                s.specialLists[kind].emplace_back(std::move(*bases), std::move(*checks));
        }
    }
    return true;
}

enum class BlockRead { kRead, kLetThrough, kUnreadable };

// The node's word block, from the cache or read into it.
BlockRead ObtainBlock(MainDictionaryState& s, PrefixNode& node) {
    if (node.blockCached)
        return BlockRead::kRead;
    if (node.blockSize > kMaxWordBlockSize)
        return BlockRead::kUnreadable;
    try {
        node.block.resize(node.blockSize);
    } catch (const std::bad_alloc&) {
        return BlockRead::kLetThrough;
    }
    if (!s.reader.ReadAt(s.container, node.blockOffset, node.blockSize, node.block.data())) {
        node.block.clear();
        return BlockRead::kUnreadable;
    }
    node.blockCached = true;
    return BlockRead::kRead;
}

}  // namespace

int16_t SpellerOpen(const std::string& path) {
    MainDictionaryState& s = State();
    s.Release();
    s.container = s.reader.Open(path);
    if (s.container == 0)
        return s.reader.LastError();
    try {
        if (ReadNodes(s) && ReadEndingTable(s) && ReadSpecialLists(s)) {
            s.path = path;
            ++s.openings;
            return 0;
        }
    } catch (const std::bad_alloc&) {
    }
    s.Release();
    return kSpellerOpenFailed;
}

void SpellerClose() {
    State().Release();
    UserDictCloseAll();
}

bool SpellerIsOpen() {
    return State().container != 0;
}

const std::string& OpenDictionaryPath() {
    return State().path;
}

uint64_t MainDictionaryOpenings() {
    return State().openings;
}

bool SpecialListContains(SpecialList kind, LetterWord word) {
    for (const DoubleArrayTrie& list : State().specialLists[static_cast<size_t>(kind)]) {
        if (list.Contains(word))
            return true;
    }
    return false;
}

bool MainDictionaryContains(LetterWord word) {
    MainDictionaryState& s = State();
    if (s.container == 0)
        return false;

    // Descend the prefix nodes along the word as far as its letters match.
    std::array<uint32_t, kMaxWordLetters> path;
    size_t depth = 0;
    uint32_t base = 0;
    while (depth < word.size() && depth < path.size() && word[depth] != kEndMark) {
        uint32_t index = base + word[depth];
        if (index >= s.nodes.size() || s.nodes[index].letter != word[depth])
            break;
        path[depth++] = index;
        base = s.nodes[index].childBase;
    }

    // Back up: the deepest readable block gets the full search, the ones above
    // it the prefix-stem search.
    bool cut = true;
    while (depth > 0) {
        PrefixNode& node = s.nodes[path[--depth]];
        if (node.blockSize == 0)
            continue;
        BlockRead read = ObtainBlock(s, node);
        if (read == BlockRead::kLetThrough)
            return true;
        if (read == BlockRead::kUnreadable)
            continue;
        LetterWord rest = word.subspan(depth + 1);
        if (cut) {
            cut = false;
            if (FullBlockSearch(node.block, rest, s.endings))
                return true;
        } else if (PrefixStemSearch(node.block, rest, s.endings)) {
            return true;
        }
    }
    return false;
}

}  // namespace tarnik
