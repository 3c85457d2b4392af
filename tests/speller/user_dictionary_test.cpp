#include "speller/user_dictionary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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
    std::string path_ = dir_.Path("user.dic");
};

TEST_F(UserDictionaryTest, CreateWritesTheEmptyList) {
    ASSERT_EQ(UserDictCreate(path_), 0);
    EXPECT_EQ(testing::ReadFile(path_), (tools::Bytes{2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(UserDictCreate(dir_.Path("missing/user.dic")), 1);
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

TEST_F(UserDictionaryTest, ManyWordsAreAddedInTheirPlacesWithOneSave) {
    UserDictionary* user = OpenNew();
    ASSERT_EQ(UserDictAddWord(user, "kot"), 0);
    ASSERT_EQ(UserDictAddWords(user, {"kotek", "ko", "123", "Ala", "kot", "kos"}), 0);
    EXPECT_EQ(user->list, List("[0]Ala[1][0]ko[1][2]s[1][2]t[1][3]ek[1]"));
    UserDictCloseAll();
    UserDictionary* again = nullptr;
    ASSERT_EQ(UserDictOpen(path_, again), 0);
    EXPECT_THAT(Words(again), ElementsAre("Ala", "ko", "kos", "kot", "kotek"));
}

// Importing many words, and accepting them for a run one by one, lay the list
// out in one pass rather than word by word: both must give exactly the list
// that adding the words one at a time gives, and enumerate it in order.
TEST_F(UserDictionaryTest, ImportAndRunDictionaryLayOutTheListAsSingleAdds) {
    std::vector<std::string> words;
    for (const char* stem : {"kot", "Kot", "ko", "kotek", "a", "zebra", "Ala", "ala"}) {
        for (const char* ending : {"", "a", "ami", "y", "ek", "kowi"})
            words.push_back(std::string(stem) + ending);
    }
    words.push_back("kot");  // twice, and once not storable
    words.push_back("123");

    UserDictionary* single = OpenNew();
    for (const std::string& word : words)
        UserDictAddWord(single, word);
    const std::vector<uint8_t> expected = single->list;
    std::vector<std::string> inOrder = Words(single);
    UserDictCloseAll();

    std::filesystem::remove(path_);
    UserDictionary* imported = OpenNew();
    ASSERT_EQ(UserDictAddWord(imported, "kotami"), 0);
    ASSERT_EQ(UserDictAddWords(imported, words), 0);
    EXPECT_EQ(imported->list, expected);
    EXPECT_EQ(Words(imported), inOrder);

    UserDictionary* run = nullptr;
    ASSERT_EQ(UserDictOpenForRun(run), 0);
    for (const std::string& word : words)
        ASSERT_EQ(UserDictAddWord(run, word), word == "123" ? 1 : 0) << word;
    EXPECT_EQ(UserDictContains(run, "zebrakowi"), 1);
    EXPECT_EQ(Words(run), inOrder);
    EXPECT_EQ(run->list, expected);
}

// Enumeration goes on from where it stopped; a change starts it again.
TEST_F(UserDictionaryTest, EnumerationContinuesAndAChangeRestartsIt) {
    UserDictionary* user = OpenNew();
    ASSERT_EQ(UserDictAddWords(user, {"ala", "kot", "kotek", "pies"}), 0);
    std::string word;
    EXPECT_EQ(UserDictNextWord(user, word, true), 1);
    EXPECT_EQ(word, "ala");
    EXPECT_EQ(UserDictNextWord(user, word, false), 1);
    EXPECT_EQ(word, "kot");
    EXPECT_EQ(UserDictNextWord(user, word, false), 1);
    EXPECT_EQ(word, "kotek");
    ASSERT_EQ(UserDictAddWord(user, "Ela"), 0);
    EXPECT_EQ(UserDictNextWord(user, word, false), 1);
    EXPECT_EQ(word, "Ela");
    EXPECT_EQ(UserDictNextWord(user, word, true), 1);
    EXPECT_EQ(word, "Ela");
    for (const char* next : {"ala", "kot", "kotek"}) {
        EXPECT_EQ(UserDictNextWord(user, word, false), 1);
        EXPECT_EQ(word, next);
    }
    EXPECT_EQ(UserDictNextWord(user, word, false), 0);
    EXPECT_EQ(word, "pies");
    EXPECT_EQ(UserDictNextWord(user, word, false), 0);
    EXPECT_EQ(word, "");
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

TEST_F(UserDictionaryTest, EverySaveWritesAWholeFileAndReopeningUsesTheStatedLength) {
    UserDictionary* user = OpenNew();
    ASSERT_EQ(UserDictAddWord(user, "kot"), 0);
    ASSERT_EQ(UserDictAddWord(user, "pies"), 0);
    ASSERT_EQ(UserDictRemoveWord(user, "pies"), 0);
    // A new whole file: its length and the list, no bytes of the longer one.
    EXPECT_EQ(testing::ReadFile(path_), File(7, List("[0]kot[1]")));
    UserDictCloseAll();
    // Bytes after the stated length (as an in-place writer leaves them) are ignored.
    tools::Bytes longer = File(7, List("[0]kot[1]"));
    for (uint8_t byte : List("[0]pies[1]"))
        longer.push_back(byte);
    UserDictionary* again = Open(longer);
    EXPECT_EQ(again->list, List("[0]kot[1]"));
    EXPECT_THAT(Words(again), ElementsAre("kot"));
}

TEST_F(UserDictionaryTest, OpenAndCloseResults) {
    UserDictionary* record = nullptr;
    EXPECT_EQ(UserDictOpen(dir_.Path("absent.dic"), record), 2);
    EXPECT_EQ(record, nullptr);
    EXPECT_EQ(UserDictClose(nullptr), -50);
    testing::WriteFile(path_, tools::Bytes{});
    EXPECT_EQ(UserDictOpen(path_, record), 1);
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

TEST_F(UserDictionaryTest, DamagedListsAreRefusedWhenOpenedAndLeftAlone) {
    struct Case {
        const char* notation;
        bool cut;  // the list lost its closing 0, 0
    };
    const Case damaged[] = {
        {"[0]kot[1][3]ek", true},         // cut inside an entry
        {"[0]kot[1][9]", true},           // cut after a shared-prefix byte
        {"[0]kot[1]", true},              // cut after a whole entry
        {"[0]ab[1][7]c[1]", false},       // shares more letters than the word before has
        {"[0]kot[1][0]ala[1]", false},    // out of order: searches would miss words
        {"[0]kot[1][3][1]", false},       // the same word twice
        {"[0]kot[1][0]kotek[1]", false},  // shares more letters than it says: lookups skip it
    };
    for (const auto& [notation, cut] : damaged) {
        std::vector<uint8_t> list = List(notation);
        if (cut)
            list.resize(list.size() - 2);
        tools::Bytes bytes = File(static_cast<uint32_t>(list.size()), list);
        testing::WriteFile(path_, bytes);
        UserDictionary* record = nullptr;
        EXPECT_EQ(UserDictOpen(path_, record), kUserDictDamaged) << notation;
        EXPECT_EQ(record, nullptr) << notation;
        // Never emptied behind the user's back.
        EXPECT_EQ(UserDictCreate(path_), kUserDictFailed) << notation;
        EXPECT_EQ(testing::ReadFile(path_), bytes) << notation;
    }
}

TEST_F(UserDictionaryTest, FilesWithBytesButNoListAreDamagedNotNew) {
    std::vector<uint8_t> list = List("[0]kot[1][0]pies[1]");
    tools::Bytes zeroedLength = File(static_cast<uint32_t>(list.size()), list);
    std::fill_n(zeroedLength.begin(), 4, 0);
    const tools::Bytes files[] = {
        zeroedLength,          tools::Bytes{2}, tools::Bytes{2, 0},
        tools::Bytes{2, 0, 0}, File(0, {}),     tools::Bytes(3000, 0),
    };
    for (const tools::Bytes& bytes : files) {
        testing::WriteFile(path_, bytes);
        UserDictionary* record = nullptr;
        EXPECT_EQ(UserDictOpen(path_, record), kUserDictDamaged) << bytes.size();
        EXPECT_EQ(UserDictCreate(path_), kUserDictFailed) << bytes.size();
        EXPECT_EQ(testing::ReadFile(path_), bytes) << bytes.size();
    }
}

TEST_F(UserDictionaryTest, AFileDamagedAfterOpeningIsNeverSavedOver) {
    UserDictionary* user = OpenNew();
    ASSERT_EQ(UserDictAddWord(user, "kot"), 0);
    tools::Bytes damaged = File(9, List("[0]kot[1][3]ek"));
    damaged.resize(damaged.size() - 2);
    testing::WriteFile(path_, damaged);
    EXPECT_EQ(UserDictAddWord(user, "pies"), kUserDictDamaged);
    EXPECT_EQ(UserDictRemoveWord(user, "kot"), kUserDictDamaged);
    EXPECT_EQ(testing::ReadFile(path_), damaged);
    EXPECT_EQ(UserDictContains(user, "kot"), 1);
}

TEST_F(UserDictionaryTest, AReadOnlyFileIsUsedForCheckingAndOnlyChangesFail) {
    UserDictionary* user = OpenNew();
    ASSERT_EQ(UserDictAddWord(user, "kot"), 0);
    UserDictCloseAll();
    ::chmod(path_.c_str(), 0444);
    tools::Bytes before = testing::ReadFile(path_);

    ASSERT_EQ(UserDictOpen(path_, user), 0);
    EXPECT_EQ(UserDictContains(user, "kot"), 1);
    EXPECT_EQ(UserDictAddWord(user, "pies"), kUserDictFailed);
    EXPECT_EQ(user->lastSave.step, SaveStep::kTarget);
    EXPECT_EQ(user->lastSave.osError, EACCES);
    EXPECT_EQ(UserDictContains(user, "pies"), 0);  // not pretended to be stored
    EXPECT_EQ(UserDictRemoveWord(user, "kot"), kUserDictFailed);
    EXPECT_EQ(UserDictContains(user, "kot"), 1);
    EXPECT_EQ(testing::ReadFile(path_), before);
}

TEST_F(UserDictionaryTest, TwoProgramsAddingAtOnceBothKeepTheirWords) {
    ASSERT_EQ(UserDictCreate(path_), 0);
    // Each program opens the file and adds its own words, one save each.
    auto add = [&](const std::string& stem) {
        UserDictionary* user = nullptr;
        if (UserDictOpen(path_, user) != 0)
            return 1;
        for (char last = 'a'; last < 'a' + 12; ++last) {
            if (UserDictAddWord(user, stem + last) != 0)
                return 1;
        }
        return 0;
    };
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(add("kot"));
    EXPECT_EQ(add("pies"), 0);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    UserDictCloseAll();
    UserDictionary* merged = nullptr;
    ASSERT_EQ(UserDictOpen(path_, merged), 0);
    std::vector<std::string> words = Words(merged);
    EXPECT_EQ(words.size(), 24u);
    for (char last = 'a'; last < 'a' + 12; ++last) {
        EXPECT_EQ(UserDictContains(merged, std::string("kot") + last), 1) << last;
        EXPECT_EQ(UserDictContains(merged, std::string("pies") + last), 1) << last;
    }
}

TEST_F(UserDictionaryTest, EnumerationSkipsEntriesWithoutText) {
    // The middle entry holds a code that is no letter (between the capitals and
    // the small letters), so its word has no text.
    UserDictionary* user = Open(File(14, List("[0]AB[1][0][80][1][0]cd[1]")));
    std::string word;
    EXPECT_EQ(UserDictNextWord(user, word, true), 1);
    EXPECT_EQ(word, "AB");
    EXPECT_EQ(UserDictNextWord(user, word, false), 0);
    EXPECT_EQ(word, "cd");
    EXPECT_EQ(UserDictNextWord(user, word, false), 0);
    EXPECT_EQ(word, "");
    EXPECT_EQ(UserDictNextWord(user, word, true), 1);  // restart
    EXPECT_EQ(word, "AB");
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
