#include "tools/container/main_dictionary_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "fixture_dictionary.h"
#include "speller/main_dictionary.h"
#include "speller/word_check.h"

namespace tarnik {
namespace {

using testing::L;

class MainDictionaryWriterTest : public ::testing::Test {
  protected:
    void TearDown() override { SpellerClose(); }
    void Open(const tools::MainDictionaryWriter& writer) {
        writer.Write(dir_.Path("son.dic"));
        ASSERT_EQ(SpellerOpen(dir_.Path("son.dic")), 0);
    }
    testing::TempDir dir_;
};

TEST_F(MainDictionaryWriterTest, ALetterFollowedFromOneNodeNeverLandsOnAnothersChild) {
    tools::MainDictionaryWriter writer;
    writer.AddEnding({2, 1}, {});
    writer.AddStem(L("akot"), {2, 1});
    writer.AddStem(L("bmot"), {2, 1});
    writer.AddNodePrefix(L("ak"));
    writer.AddNodePrefix(L("bm"));
    Open(writer);
    const std::pair<const char*, int> cases[] = {{"akot", 1}, {"bmot", 1}, {"bkot", 0},
                                                 {"amot", 0}, {"kot", 0},  {"mot", 0}};
    for (const auto& [word, correct] : cases)
        EXPECT_EQ(SpellerCheckWord(word), correct) << word;
}

TEST_F(MainDictionaryWriterTest, SmallBlockTargetsSplitNodesWithoutLosingWords) {
    // Random stems over five letters, so that they share long prefixes, in two
    // classes; a block target small enough to give nodes several levels deep.
    std::mt19937 random(7);
    tools::MainDictionaryWriter writer;
    writer.SetBlockTarget(48);
    const std::vector<std::string> endings[] = {{"", "a", "ami"}, {"y", "e"}};
    for (int c = 0; c < 2; ++c) {
        for (const std::string& ending : endings[c])
            writer.AddEnding({uint8_t(2 + c), 1}, L(ending));
    }
    std::set<std::string> forms;
    for (int i = 0; i < 400; ++i) {
        std::string stem;
        for (size_t n = 2 + random() % 6; n > 0; --n)
            stem.push_back("abcde"[random() % 5]);
        int c = static_cast<int>(random() % 2);
        writer.AddStem(L(stem), {uint8_t(2 + c), 1});
        for (const std::string& ending : endings[c])
            forms.insert(stem + ending);
    }
    Open(writer);
    for (const std::string& form : forms)
        ASSERT_EQ(SpellerCheckWord(form), 1) << form;
    int checked = 0;
    for (int i = 0; i < 2000; ++i) {
        std::string word;
        for (size_t n = 2 + random() % 7; n > 0; --n)
            word.push_back("abcdemiy"[random() % 8]);
        if (forms.contains(word))
            continue;
        ++checked;
        ASSERT_EQ(SpellerCheckWord(word), 0) << word;
    }
    EXPECT_GT(checked, 1000);
}

}  // namespace
}  // namespace tarnik
