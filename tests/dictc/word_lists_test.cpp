#include "tools/dictc/word_lists.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "speller/double_array_trie.h"
#include "tools/container/container_writer.h"

namespace tarnik::tools {
namespace {

std::vector<Codes> RandomWords(size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Codes> words;
    for (size_t i = 0; i < count; ++i) {
        Codes word(8);
        for (uint8_t& letter : word)
            letter = static_cast<uint8_t>(kFirstCapital + random() % 70);
        word.push_back(kEndMark);
        words.push_back(word);
    }
    return words;
}

DoubleArrayTrie Trie(const DoubleArray& array) {
    Bytes bases;
    for (uint16_t base : array.base)
        AppendBig16(bases, base);
    return DoubleArrayTrie(bases, array.check);
}

// The limits are scaled down: arrays of 3000 states instead of 65,536.
TEST(PackWordList, SpreadsAListTooBigForOneArrayOverSeveral) {
    std::vector<Codes> words = RandomWords(1500, 1);
    std::vector<DoubleArray> arrays = PackWordList(words, 10, 3000);
    ASSERT_GT(arrays.size(), 1u);
    std::vector<DoubleArrayTrie> tries;
    for (const DoubleArray& array : arrays) {
        EXPECT_LE(array.check.size(), 3000u);
        tries.push_back(Trie(array));
    }
    auto held = [&](const Codes& word) {
        return std::any_of(tries.begin(), tries.end(),
                           [&](const DoubleArrayTrie& trie) { return trie.Contains(word); });
    };
    for (const Codes& word : words)
        EXPECT_TRUE(held(word));
    for (const Codes& other : RandomWords(500, 2))
        EXPECT_FALSE(held(other));
}

TEST(PackWordList, RefusesWhatItsArraysCannotHold) {
    std::vector<Codes> words = RandomWords(300, 3);
    size_t needed = PackWordList(words, 10, 500).size();
    ASSERT_GT(needed, 1u);
    EXPECT_THROW(PackWordList(words, needed - 1, 500), std::length_error);
}

}  // namespace
}  // namespace tarnik::tools
