#include "hyphenation/hyphenate_word.h"

#include <algorithm>
#include <array>

#include "files/byte_order.h"
#include "hyphenation/exception_list.h"

namespace tarnik {
namespace {

struct HyphenationState {
    int16_t userExceptionsMode = 0;
};

HyphenationState& State() {
    static HyphenationState state;
    return state;
}

// Work string: '.', the mapped letters, and, for the pattern pass, '.' and 0x80.
// 0x80 is no pattern code, so no walk gets past it.
constexpr size_t kFrame = kMaxHyphWord + 3;
constexpr uint8_t kEdge = '.';
constexpr uint8_t kStop = 0x80;
constexpr size_t kNodeSize = 6;
constexpr size_t kOutputSize = 4;

bool IsDigitByte(uint8_t b) {
    return b >= '0' && b <= '9';
}

// Applies every pattern that matches the work string: for each start position,
// walk the trie as far as the string follows it, and at each node raise the
// levels its outputs name.
void PatternPass(const HyphDict& dict, const uint8_t* work, size_t last,
                 std::array<uint8_t, kFrame>& level) {
    const std::vector<uint8_t>& trie = dict.blocks[kTrieSlot];
    const std::vector<uint8_t>& outputs = dict.blocks[kOutputsSlot];
    const size_t nodeCount = trie.size() / kNodeSize;
    const size_t outputCount = outputs.size() / kOutputSize;
    for (size_t s = 0; s + 1 < last; ++s) {
        size_t node = work[s];
        if (node >= nodeCount || trie[node * kNodeSize + 4] != work[s])
            continue;
        for (size_t p = s;;) {
            const uint8_t* n = &trie[node * kNodeSize];
            // A chain longer than the outputs themselves can only be a loop.
            size_t steps = 0;
            for (size_t o = ReadBig16(n + 2); o != 0 && o < outputCount && steps < outputCount;
                 ++steps) {
                const uint8_t* out = &outputs[o * kOutputSize];
                if (out[2] <= p) {
                    uint8_t& l = level[p - out[2]];
                    l = std::max(l, out[3]);
                }
                o = ReadBig16(out);
            }
            if (++p > last)
                break;
            node = size_t{ReadBig16(n)} + work[p];
            if (node >= nodeCount || trie[node * kNodeSize + 4] != work[p])
                break;
        }
    }
}

// Marks the breaks of the first list that holds the word; false when none does.
bool ListPass(const std::vector<uint8_t>& list, ListBytes word,
              std::array<uint8_t, kFrame>& level) {
    if (list.empty())
        return false;
    ListPlace place = FindInList(list, word);
    if (!place.found)
        return false;
    ListEntry entry;
    ReadListEntry(list, place.offset, entry);
    for (uint8_t k : entry.breaks)
        if (k < level.size())
            level[k] = 1;
    return true;
}

uint32_t Hyphenate(const HyphDict& dict, std::string_view word, std::string* out) {
    std::array<uint8_t, kFrame> work{};
    std::array<uint8_t, kFrame> level{};
    size_t len = 0;
    while (len < word.size() && word[len] != '\0' && !IsDigitByte(static_cast<uint8_t>(word[len])))
        ++len;
    if (len > kMaxHyphWord) {
        if (out)
            out->assign(word.substr(0, len));
        return 0;
    }

    work[0] = kEdge;
    for (size_t i = 0; i < len; ++i)
        work[i + 1] = MapInput(dict, static_cast<uint8_t>(word[i]));
    ListBytes mapped(&work[1], len);

    bool listed = State().userExceptionsMode && ListPass(dict.blocks[kUserListSlot], mapped, level);
    if (!listed)
        listed = ListPass(dict.blocks[kBuiltInListSlot], mapped, level);
    if (!listed) {
        work[len + 1] = kEdge;
        work[len + 2] = kStop;
        PatternPass(dict, work.data(), len + 2, level);
    }

    static constexpr uint8_t kWszcz[] = {'w', 's', 'z', 'c', 'z'};
    size_t leftMin = 2;
    if (len >= 5 &&
        std::equal(std::begin(kWszcz), std::end(kWszcz), &work[1],
                   [&](uint8_t letter, uint8_t code) { return MapInput(dict, letter) == code; }))
        leftMin = 5;

    uint32_t mask = 0;
    if (out) {
        out->clear();
        out->reserve(2 * len);
    }
    for (size_t k = 1; k <= len; ++k) {
        bool brk = k >= leftMin && k + 2 <= len && (level[k] & 1);
        if (out) {
            out->push_back(word[k - 1]);
            if (brk)
                out->push_back('-');
        }
        if (brk)
            mask |= uint32_t{1} << ((k - 1) % 32);
    }
    return mask;
}

}  // namespace

uint32_t HyphenateWordWithUser(const HyphDict& dict, std::string_view word, std::string* out) {
    State().userExceptionsMode = 1;
    return Hyphenate(dict, word, out);
}

uint32_t HyphenateWordWithoutUser(const HyphDict& dict, std::string_view word, std::string* out) {
    State().userExceptionsMode = 0;
    return Hyphenate(dict, word, out);
}

int16_t UserExceptionsMode() {
    return State().userExceptionsMode;
}

}  // namespace tarnik
