#include "speller/word_block.h"

namespace tarnik {

namespace {

constexpr uint8_t kFirstClassByte = 2;

bool IsClassByte(uint8_t byte) {
    return byte >= kFirstClassByte && byte < kFirstCapital;
}

// The start of the entry after the one whose letters begin at or before `at`.
size_t SkipEntry(std::span<const uint8_t> block, size_t at) {
    while (at < block.size() && block[at] >= kFirstCapital)
        ++at;
    return at + 2;
}

}  // namespace

bool EndingAccepted(const DoubleArrayTrie& endings, uint8_t c1, uint8_t c2, LetterWord ending) {
    uint16_t state = 0;
    return endings.Start(c1, state) && endings.Step(c2, state) &&
           endings.StepThrough(ending, state);
}

bool FullBlockSearch(std::span<const uint8_t> block, LetterWord rest,
                     const DoubleArrayTrie& endings) {
    size_t matched = 0;  // letters of `rest` matched so far
    size_t pos = 0;
    while (pos + 1 < block.size()) {
        uint8_t shared = block[pos];
        if (block[pos + 1] == 0)
            return false;  // the block's end
        if (shared < matched)
            return false;  // past every stem that could match
        if (shared > matched) {
            pos = SkipEntry(block, pos + 1);
            continue;
        }
        size_t at = pos + 1;
        bool skip = false;
        while (at < block.size() && block[at] >= kFirstCapital) {
            if (matched >= rest.size())
                return false;
            uint8_t letter = block[at];
            uint8_t symbol = rest[matched];
            if (letter == symbol) {
                ++matched;
                ++at;
                continue;
            }
            if (symbol == kEndMark || letter > symbol)
                return false;  // entries are sorted
            skip = true;
            break;
        }
        if (skip) {
            pos = SkipEntry(block, at);
            continue;
        }
        if (at + 1 >= block.size() || !IsClassByte(block[at]))
            return false;
        if (EndingAccepted(endings, block[at], block[at + 1], rest.subspan(matched)))
            return true;
        pos = at + 2;
    }
    return false;
}

bool PrefixStemSearch(std::span<const uint8_t> block, LetterWord rest,
                      const DoubleArrayTrie& endings) {
    for (size_t pos = 0; pos + 2 < block.size() && block[pos] == 0 && IsClassByte(block[pos + 1]);
         pos += 3) {
        if (EndingAccepted(endings, block[pos + 1], block[pos + 2], rest))
            return true;
    }
    return false;
}

}  // namespace tarnik
