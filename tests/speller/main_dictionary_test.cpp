#include "speller/main_dictionary.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/resource_container.h"
#include "fixture_dictionary.h"
#include "speller/word_check.h"

namespace tarnik {
namespace {

using testing::Cp;
using testing::L;
using tools::SpecialListKind;

class MainDictionaryTest : public ::testing::Test {
  protected:
    void TearDown() override { SpellerClose(); }

    int16_t Open(const tools::MainDictionaryWriter& writer) {
        writer.Write(path_);
        return SpellerOpen(path_);
    }
    // Opens `bytes` sealed again: what they hold is the test's, not damage.
    int16_t Open(tools::Bytes bytes) {
        tools::Reseal(bytes);
        testing::WriteFile(path_, bytes);
        return SpellerOpen(path_);
    }
    // After a failed open nothing stays open, the container included.
    void ExpectNothingOpen() { EXPECT_FALSE(SpellerIsOpen()); }

    testing::TempDir dir_;
    std::string path_ = dir_.Path("son.dic");
};

TEST_F(MainDictionaryTest, OpenFailsWithTheContainerErrorOrOne) {
    EXPECT_EQ(SpellerOpen(dir_.Path("absent.dic")), kContainerCannotOpen);
    ExpectNothingOpen();
    EXPECT_EQ(Open(tools::Bytes{0, 0, 0}), kContainerHeaderShort);
    ExpectNothingOpen();

    // No data area.
    tools::ContainerWriter plain;
    plain.Add("BAZA", 1, {0}, "lodmiany");
    plain.Write(path_);
    EXPECT_EQ(SpellerOpen(path_), kSpellerOpenFailed);
    ExpectNothingOpen();

    // No ending table: the fixture's description without its "BAZA" pair.
    tools::Bytes bytes = testing::FixtureWriter().Build();
    for (const char* name : {"lodmiany", "codmiany"}) {
        tools::Bytes renamed = bytes;
        auto at = std::search(renamed.begin(), renamed.end(), name, name + 8);
        ASSERT_NE(at, renamed.end());
        *at = 'X';
        EXPECT_EQ(Open(renamed), kSpellerOpenFailed) << name;
        ExpectNothingOpen();
    }
}

TEST_F(MainDictionaryTest, SpecialListKindsNeedAsManyBaseAsCheckArrays) {
    tools::MainDictionaryWriter writer = testing::FixtureWriter();
    tools::PackedWordList extra = tools::PackWordList({L("Gdańsk")});
    writer.AddResource("wlli", 2, extra.bases);
    writer.AddResource("wlli", 3, extra.bases);
    writer.AddResource("wlch", 2, extra.checks);
    EXPECT_EQ(Open(writer), kSpellerOpenFailed);  // three "wlli", two "wlch"
    ExpectNothingOpen();
}

TEST_F(MainDictionaryTest, OnlyTheFirstTenPairsOfAKindAreUsed) {
    tools::MainDictionaryWriter writer;
    writer.AddEnding({2, 1}, {});
    writer.AddStem(L("kot"), {2, 1});
    const char* words[] = {"aa", "bb", "cc", "dd", "ee", "ff", "gg", "hh", "ii", "jj", "kk"};
    for (uint16_t n = 0; n < 11; ++n) {
        tools::PackedWordList pair = tools::PackWordList({L(words[n])});
        writer.AddResource("szli", n + 1, pair.bases);
        writer.AddResource("szch", n + 1, pair.checks);
    }
    ASSERT_EQ(Open(writer), 0);
    EXPECT_EQ(SpellerCheckWord("aa"), 1);
    EXPECT_EQ(SpellerCheckWord("jj"), 1);
    EXPECT_EQ(SpellerCheckWord("kk"), 0);
    EXPECT_EQ(SpellerCheckWord("kot"), 1);
}

TEST_F(MainDictionaryTest, NodeCountAboveTheLimitDoesNotOpen) {
    tools::Bytes bytes = testing::FixtureWriter().Build();
    size_t dataArea = (size_t{bytes[8]} << 24) | (bytes[9] << 16) | (bytes[10] << 8) | bytes[11];
    bytes[dataArea + 6] = 0x10;  // 4096 nodes and more
    EXPECT_EQ(Open(bytes), kSpellerOpenFailed);
    ExpectNothingOpen();
}

TEST_F(MainDictionaryTest, BlocksStatedOverTheLimitHoldNothing) {
    tools::Bytes bytes = testing::FixtureWriter().Build();
    bytes.resize(bytes.size() + 70000, 0);  // room for the stated size within the file
    size_t nodes = ((size_t{bytes[8]} << 24) | (bytes[9] << 16) | (bytes[10] << 8) | bytes[11]) + 8;
    size_t ko = nodes;  // the only node of letter o: "ko"
    while (bytes[ko + 14] != L("o")[0]) {
        ko += 16;
        ASSERT_LT(ko, bytes.size());
    }
    ASSERT_EQ(Open(bytes), 0);
    EXPECT_EQ(SpellerCheckWord("kotem"), 1);
    SpellerClose();
    bytes[ko + 6] = 0, bytes[ko + 7] = 1, bytes[ko + 8] = 0, bytes[ko + 9] = 0;  // 65536 bytes
    ASSERT_EQ(Open(bytes), 0);
    EXPECT_EQ(SpellerCheckWord("kotem"), 0);
    EXPECT_EQ(SpellerCheckWord(Cp("kozioł")), 1);  // node koz's block is untouched
}

TEST_F(MainDictionaryTest, WordBlocksAreReadOnDemandAndKeptUntilClose) {
    // Two blocks at the end of the file, node y's and then node z's, each
    // larger than a file buffer.
    tools::MainDictionaryWriter writer = testing::FixtureWriter();
    writer.SetBlockTarget(kMaxWordBlockSize);
    for (char first : {'y', 'z'}) {
        for (char a = 'a'; a <= 'z'; ++a) {
            for (char b = 'a'; b <= 'z'; ++b) {
                for (char c = 'a'; c <= 'h'; ++c)
                    writer.AddStem(L(std::string{first, a, b, c, 'q'}), {2, 1});
            }
        }
    }
    ASSERT_EQ(Open(writer), 0);
    ASSERT_EQ(SpellerCheckWord("yabcq"), 1);
    // Cut all of z's block and the end of y's.
    size_t size = std::filesystem::file_size(path_);
    std::filesystem::resize_file(path_, size - 26 * 26 * 8 * 6);
    EXPECT_EQ(SpellerCheckWord("ykkcq"), 1);  // the cached copy
    EXPECT_EQ(SpellerCheckWord("zkkcq"), 0);  // read now: beyond the end
    EXPECT_EQ(SpellerCheckWord("kot"), 1);
    SpellerClose();
    EXPECT_EQ(SpellerCheckWord("kot"), 0);
}

}  // namespace
}  // namespace tarnik
