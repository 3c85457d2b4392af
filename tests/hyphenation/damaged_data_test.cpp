// Damaged hyphenation data: an error result or fewer breaks, never a crash or a
// read outside a block (run under -DTARNIK_SANITIZE=ON to see the latter).
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "files/resource_container.h"
#include "hyph_fixture.h"
#include "hyphenation/hyphenate_word.h"
#include "tools/container/container_writer.h"

namespace tarnik {
namespace {

using Blocks = std::array<std::vector<uint8_t>, 6>;

constexpr char kPatterns[] = ".ko1\na1\ne1\no1\nt1e\n2k1t\nsz2c\n";

Blocks GoodBlocks() {
    std::unique_ptr<HyphDict> dict =
        test::OpenData(test::TestFolder(), kPatterns, "ko-tek\n", "ba-ba\n");
    return dict->blocks;
}

// Writes `blocks` (slots in order) as a data file; a slot in `skip` is left out.
std::string WriteBlocks(const Blocks& blocks, int skip = -1) {
    tools::ContainerWriter writer;
    for (int slot = 0; slot < 6; ++slot)
        if (slot != skip)
            writer.Add(kHyphResourceType, kHyphResourceIds[slot], blocks[slot]);
    std::filesystem::path path = test::TestFolder() / "damaged.DAT";
    test::WriteFile(path, writer.Build());
    return path.string();
}

void ExpectLettersKept(const HyphDict& dict) {
    std::string longest(kMaxHyphWord, 'a');
    for (std::string word :
         {"kotek", "babababa", "koteczek", "szczotka", "ab", "", longest.c_str()}) {
        for (bool user : {true, false}) {
            std::string out;
            user ? HyphenateWordWithUser(dict, word, &out)
                 : HyphenateWordWithoutUser(dict, word, &out);
            std::erase(out, '-');
            EXPECT_EQ(out, word);
        }
    }
}

TEST(DamagedData, MissingOrUnusableResourcesFailTheOpen) {
    Blocks good = GoodBlocks();
    for (int slot = 0; slot < 6; ++slot) {
        std::unique_ptr<HyphDict> dict;
        EXPECT_EQ(OpenHyphDict(WriteBlocks(good, slot), dict), kHyphResourceIds[slot]);
        EXPECT_FALSE(dict);
    }
    struct Case {
        int slot;
        std::vector<uint8_t> block;
    };
    const Case cases[] = {
        {kInputMapSlot, std::vector<uint8_t>(255, 0)}, {kOutputMapSlot, {}},
        {kBuiltInListSlot, {5, 1, 'a', 0, 0}},        // no end mark
        {kUserListSlot, {200, 3, 'a', 'b', 'c', 0}},  // entry runs past the block
        {kUserListSlot, {6, 3, 'a', 'b', 0}},         // entry shorter than its word
    };
    for (const Case& c : cases) {
        Blocks blocks = good;
        blocks[c.slot] = c.block;
        std::unique_ptr<HyphDict> dict;
        EXPECT_EQ(OpenHyphDict(WriteBlocks(blocks), dict), kHyphResourceIds[c.slot]) << c.slot;
    }
    std::unique_ptr<HyphDict> dict;
    EXPECT_EQ(OpenHyphDict((test::TestFolder() / "none.DAT").string(), dict), kContainerCannotOpen);
    std::filesystem::path garbage = test::TestFolder() / "garbage.DAT";
    test::WriteFile(garbage, {1, 2, 3});
    EXPECT_NE(OpenHyphDict(garbage.string(), dict), 0);
    EXPECT_FALSE(dict);
}

TEST(DamagedData, BrokenTrieAndOutputsGiveNoCrash) {
    const Blocks good = GoodBlocks();
    auto everyNode = [](size_t at, uint8_t hi, uint8_t lo) {
        return [=](Blocks& b) {
            for (size_t i = 0; i + 6 <= b[kTrieSlot].size(); i += 6) {
                b[kTrieSlot][i + at] = hi;
                b[kTrieSlot][i + at + 1] = lo;
            }
        };
    };
    auto everyOutput = [](size_t at, uint8_t value) {
        return [=](Blocks& b) {
            for (size_t i = 4; i + 4 <= b[kOutputsSlot].size(); i += 4)
                b[kOutputsSlot][i + at] = value;
        };
    };
    const std::pair<const char*, std::function<void(Blocks&)>> cases[] = {
        {"trie cut inside its first node", [](Blocks& b) { b[kTrieSlot].resize(5); }},
        {"trie cut inside a node",
         [](Blocks& b) { b[kTrieSlot].erase(b[kTrieSlot].end() - 3, b[kTrieSlot].end()); }},
        {"trie empty", [](Blocks& b) { b[kTrieSlot].clear(); }},
        {"bases past the end", everyNode(0, 0xFF, 0xFF)},
        {"outputs past the end", everyNode(2, 0xFF, 0xFF)},
        {"outputs empty", [](Blocks& b) { b[kOutputsSlot].clear(); }},
        {"output chains loop",
         [](Blocks& b) {
             for (size_t i = 4; i + 4 <= b[kOutputsSlot].size(); i += 4) {
                 b[kOutputsSlot][i] = 0;
                 b[kOutputsSlot][i + 1] = static_cast<uint8_t>(i / 4);
             }
         }},
        {"offsets before the word", everyOutput(2, 0xFF)},
        {"odd levels everywhere", everyOutput(3, 0x7F)},
    };
    for (const auto& [name, damage] : cases) {
        SCOPED_TRACE(name);
        Blocks blocks = good;
        damage(blocks);
        std::unique_ptr<HyphDict> dict;
        ASSERT_EQ(OpenHyphDict(WriteBlocks(blocks), dict), 0);
        ExpectLettersKept(*dict);
    }
}

TEST(DamagedData, RandomDamageToTheRealTrieGivesNoCrash) {
    std::unique_ptr<HyphDict> real;
    ASSERT_EQ(OpenHyphDict(TARNIK_SOURCE_DIR "/data/PLHYPH.DAT", real), 0);
    std::mt19937 random(3);
    for (int round = 0; round < 100; ++round) {
        HyphDict dict = *real;
        for (int slot : {kTrieSlot, kOutputsSlot}) {
            std::vector<uint8_t>& block = dict.blocks[slot];
            for (int n = 0; n < 200; ++n)
                block[random() % block.size()] = static_cast<uint8_t>(random());
        }
        ExpectLettersKept(dict);
    }
}

// The shipped data file ends in a checksum trailer: a copy cut to half, with a
// 64-byte block changed or with a byte of its trailer flipped is refused with
// the container's "damaged" error instead of hyphenating differently.
TEST(DamagedData, DamagedCopiesOfTheShippedFileAreRefused) {
    const std::vector<uint8_t> shipped = test::ReadFile(TARNIK_SOURCE_DIR "/data/PLHYPH.DAT");
    ASSERT_FALSE(shipped.empty());
    const std::pair<const char*, std::function<void(std::vector<uint8_t>&)>> damages[] = {
        {"cut to half", [](std::vector<uint8_t>& f) { f.resize(f.size() / 2); }},
        {"a 64-byte block changed",
         [](std::vector<uint8_t>& f) {
             for (size_t i = 0; i < 64; ++i)
                 f[f.size() / 3 + i] ^= 0x5A;
         }},
        {"a byte of the trailer flipped", [](std::vector<uint8_t>& f) { f[f.size() - 5] ^= 0x01; }},
    };
    std::filesystem::path path = test::TestFolder() / "PLHYPH.DAT";
    std::unique_ptr<HyphDict> dict;
    test::WriteFile(path, shipped);
    EXPECT_EQ(OpenHyphDict(path.string(), dict), 0);
    for (const auto& [damage, apply] : damages) {
        std::vector<uint8_t> damaged = shipped;
        apply(damaged);
        test::WriteFile(path, damaged);
        dict.reset();
        EXPECT_EQ(OpenHyphDict(path.string(), dict), kContainerDamaged) << damage;
        EXPECT_EQ(dict, nullptr) << damage;
    }
}

}  // namespace
}  // namespace tarnik
