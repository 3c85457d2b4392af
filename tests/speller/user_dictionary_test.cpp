#include "speller/user_dictionary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fixture_dictionary.h"

namespace tarnik {
namespace {

using testing::Cp;
using ::testing::ElementsAre;

// List bytes from a notation such as "[0]ko[1][2]t[1]": bracketed numbers are
// bytes, letters are letter codes. The closing 0, 0 is appended.
std::vector<uint8_t> List(std::string_view notation) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < notation.size(); ++i) {
        if (notation[i] == '[') {
            size_t close = notation.find(']', i);
            bytes.push_back(static_cast<uint8_t>(
                std::stoi(std::string(notation.substr(i + 1, close - i - 1)))));
            i = close;
        } else {
            bytes.push_back(TextToCode(static_cast<uint8_t>(notation[i])));
        }
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

// A user.dic file: the stated length, then `list`.
tools::Bytes File(uint32_t stated, const std::vector<uint8_t>& list) {
    tools::Bytes bytes = {static_cast<uint8_t>(stated), static_cast<uint8_t>(stated >> 8),
                          static_cast<uint8_t>(stated >> 16), static_cast<uint8_t>(stated >> 24)};
    for (uint8_t byte : list)
        bytes.push_back(byte);
    return bytes;
}

class UserDictionaryTest : public ::testing::Test {
  protected:
    void TearDown() override { UserDictCloseAll(); }

    UserDictionary* Open(const tools::Bytes& bytes) {
        testing::WriteFile(path_, bytes);
        UserDictionary* record = nullptr;
        EXPECT_EQ(UserDictOpen(path_, record), 0);
        return record;
    }
    UserDictionary* OpenNew() {
        EXPECT_EQ(UserDictCreate(path_), 0);
        UserDictionary* record = nullptr;
        EXPECT_EQ(UserDictOpen(path_, record), 0);
        return record;
    }
    std::vector<std::string> Words(UserDictionary* record) {
        std::vector<std::string> words;
        std::string word;
        bool more = UserDictNextWord(record, word, true);
        while (true) {
            if (!word.empty())
                words.push_back(word);
            if (!more)
                break;
            more = UserDictNextWord(record, word, false);
        }
        return words;
    }

    testing::TempDir dir_;
    std::string path_ = dir_.File("user.dic");
};

TEST_F(UserDictionaryTest, CreateWritesTheEmptyList) {
    ASSERT_EQ(UserDictCreate(path_), 0);
    EXPECT_EQ(testing::ReadFile(path_), (tools::Bytes{2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(UserDictCreate(dir_.File("missing/user.dic")), 1);
}

TEST_F(UserDictionaryTest, AddsAndRemovesKeepingTheListSortedAndCompressed) {
    UserDictionary* user = OpenNew();
    ASSERT_EQ(UserDictAddWord(user, "kot"), 0);
    ASSERT_EQ(UserDictAddWord(user, "kotek"), 0);
    EXPECT_EQ(user->list, List("[0]kot[1][3]ek[1]"));
    ASSERT_EQ(UserDictAddWord(user, "ko"), 0);  // splits the entry of kot
    EXPECT_EQ(user->list, List("[0]ko[1][2]t[1][3]ek[1]"));
    ASSERT_EQ(UserDictAddWord(user, "Ala"), 0);  // capitals sort first
    ASSERT_EQ(UserDictAddWord(user, "kos"), 0);
    EXPECT_EQ(user->list, List("[0]Ala[1][0]ko[1][2]s[1][2]t[1][3]ek[1]"));
    EXPECT_THAT(Words(user), ElementsAre("Ala", "ko", "kos", "kot", "kotek"));

    ASSERT_EQ(UserDictRemoveWord(user, "kot"), 0);  // kotek takes over "t"
    EXPECT_EQ(user->list, List("[0]Ala[1][0]ko[1][2]s[1][2]tek[1]"));
    ASSERT_EQ(UserDictRemoveWord(user, "Ala"), 0);
    ASSERT_EQ(UserDictRemoveWord(user, "nic"), 0);
    EXPECT_EQ(user->list, List("[0]ko[1][2]s[1][2]tek[1]"));
    // The file holds the saved list; reopening reads it back.
    UserDictCloseAll();
    UserDictionary* again = nullptr;
    ASSERT_EQ(UserDictOpen(path_, again), 0);
    EXPECT_THAT(Words(again), ElementsAre("ko", "kos", "kotek"));
}

TEST_F(UserDictionaryTest, ContainsOnlyTheExactForm) {
    UserDictionary* user = OpenNew();
    for (const char* word : {"Kowalski", "e-mail", "abc1", "żółw"}) {
        ASSERT_EQ(UserDictAddWord(user, Cp(word)), 0) << word;
    }
    const std::pair<const char*, int> cases[] = {
        {"Kowalski", 1},    {"kowalski", 0}, {"KOWALSKI", 0}, {"Kowalsk", 0},
        {"Kowalskiego", 0}, {"e-mail", 1},   {"email", 0},    {"abc", 1},
        {"abc1", 1},        {"żółw", 1},     {"1abc", 0},     {"", 0},
    };
    for (const auto& [word, contained] : cases) {
        EXPECT_EQ(UserDictContains(user, Cp(word)), contained) << word;
    }
    EXPECT_EQ(UserDictAddWord(user, "123"), 1);  // nothing to store
}

TEST_F(UserDictionaryTest, AddingAStoredWordRewritesTheFileUnchanged) {
    UserDictionary* user = OpenNew();
    ASSERT_EQ(UserDictAddWord(user, "kot"), 0);
    tools::Bytes before = testing::ReadFile(path_);
    testing::WriteFile(path_, {});  // the add must write the file again
    ASSERT_EQ(UserDictAddWord(user, "kot"), 0);
    EXPECT_EQ(testing::ReadFile(path_), before);
}

TEST_F(UserDictionaryTest, StatedLengthBeyondTheFileTakesTheRest) {
    UserDictionary* user = Open(File(1000, List("[0]kot[1]")));
    EXPECT_EQ(user->list, List("[0]kot[1]"));
    EXPECT_EQ(UserDictContains(user, "kot"), 1);
}

TEST_F(UserDictionaryTest, RemovalsKeepTheFileSizeAndReopeningUsesTheStatedLength) {
    UserDictionary* user = OpenNew();
    ASSERT_EQ(UserDictAddWord(user, "kot"), 0);
    ASSERT_EQ(UserDictAddWord(user, "pies"), 0);
    size_t size = testing::ReadFile(path_).size();
    ASSERT_EQ(UserDictRemoveWord(user, "pies"), 0);
    EXPECT_EQ(testing::ReadFile(path_).size(), size);
    UserDictCloseAll();
    UserDictionary* again = nullptr;
    ASSERT_EQ(UserDictOpen(path_, again), 0);
    EXPECT_EQ(again->list, List("[0]kot[1]"));
    EXPECT_THAT(Words(again), ElementsAre("kot"));
}

TEST_F(UserDictionaryTest, OpenAndCloseResults) {
    UserDictionary* record = nullptr;
    EXPECT_EQ(UserDictOpen(dir_.File("absent.dic"), record), 2);
    EXPECT_EQ(record, nullptr);
    EXPECT_EQ(UserDictClose(nullptr), -50);
    for (const tools::Bytes& unreadable : {tools::Bytes{}, tools::Bytes{2, 0}, File(0, {})}) {
        testing::WriteFile(path_, unreadable);
        EXPECT_EQ(UserDictOpen(path_, record), 1);
    }
    UserDictionary* first = OpenNew();
    UserDictionary* second = nullptr;
    ASSERT_EQ(UserDictOpen(path_, second), 0);
    EXPECT_EQ(UserDictClose(nullptr), -51);
    EXPECT_EQ(UserDictClose(first), 0);
    EXPECT_EQ(UserDictClose(first), -51);
    EXPECT_EQ(UserDictClose(second), 0);
    EXPECT_EQ(UserDictClose(second), -50);
}

TEST_F(UserDictionaryTest, ADictionaryForOneRunHasNoFile) {
    UserDictionary* run = nullptr;
    ASSERT_EQ(UserDictOpenForRun(run), 0);
    EXPECT_EQ(UserDictAddWord(run, "Kotx"), 0);
    EXPECT_EQ(UserDictContains(run, "Kotx"), 1);
    EXPECT_EQ(UserDictRemoveWord(run, "Kotx"), 0);
    EXPECT_EQ(UserDictContains(run, "Kotx"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir_.Path()));
    EXPECT_EQ(UserDictClose(run), 0);
}

TEST_F(UserDictionaryTest, DamagedListsRefuseAddsAndEndSearches) {
    // No closing 0, 0, and an entry cut short.
    for (const char* damaged : {"[0]kot[1][3]ek", "[0]kot[1][9]"}) {
        std::vector<uint8_t> list = List(damaged);
        list.resize(list.size() - 2);
        tools::Bytes bytes = File(static_cast<uint32_t>(list.size()), list);
        UserDictionary* user = Open(bytes);
        EXPECT_EQ(UserDictContains(user, "kot"), 1) << damaged;
        EXPECT_EQ(UserDictContains(user, "kotek"), 0) << damaged;
        EXPECT_EQ(UserDictAddWord(user, "kotka"), 1) << damaged;
        EXPECT_EQ(testing::ReadFile(path_), bytes) << damaged;
        EXPECT_THAT(Words(user), ElementsAre("kot")) << damaged;
        EXPECT_EQ(UserDictRemoveWord(user, "kotek"), 0) << damaged;
        UserDictCloseAll();
    }
    // A shared-prefix byte longer than the word before it.
    UserDictionary* user = Open(File(9, List("[0]ab[1][7]c[1]")));
    EXPECT_THAT(Words(user), ElementsAre("ab"));
    EXPECT_EQ(UserDictContains(user, "abc"), 0);
}

TEST_F(UserDictionaryTest, EnumerationSkipsEntriesWithoutText) {
    // The middle entry holds a code that is no letter, so its word has no text.
    UserDictionary* user = Open(File(12, List("[0]ab[1][0][80][1][0]cd[1]")));
    std::string word;
    EXPECT_EQ(UserDictNextWord(user, word, true), 1);
    EXPECT_EQ(word, "ab");
    EXPECT_EQ(UserDictNextWord(user, word, false), 0);
    EXPECT_EQ(word, "cd");
    EXPECT_EQ(UserDictNextWord(user, word, false), 0);
    EXPECT_EQ(word, "");
    EXPECT_EQ(UserDictNextWord(user, word, true), 1);  // restart
    EXPECT_EQ(word, "ab");
}

TEST_F(UserDictionaryTest, WordsUpTo255LettersAreStored) {
    UserDictionary* user = OpenNew();
    std::string longest(kMaxUserWordLetters, 'a');
    ASSERT_EQ(UserDictAddWord(user, longest), 0);
    ASSERT_EQ(UserDictAddWord(user, longest + "b"), 1);
    ASSERT_EQ(UserDictAddWord(user, std::string(kMaxUserWordLetters - 1, 'a') + "b"), 0);
    EXPECT_EQ(UserDictContains(user, longest), 1);
    EXPECT_EQ(UserDictContains(user, longest + "b"), 0);
    EXPECT_THAT(Words(user), ElementsAre(longest, std::string(kMaxUserWordLetters - 1, 'a') + "b"));
}

}  // namespace
}  // namespace tarnik
