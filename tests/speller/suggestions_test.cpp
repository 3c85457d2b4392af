#include "speller/suggestions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "fixture_dictionary.h"
#include "speller/main_dictionary.h"
#include "speller/user_dictionary.h"

namespace tarnik {
namespace {

using ::testing::Contains;
using testing::Cp;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

class SuggestionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::WriteFixtureDictionary(dir_.Path("son.dic"));
        ASSERT_EQ(SpellerOpen(dir_.Path("son.dic")), 0);
    }
    void TearDown() override { SpellerClose(); }

    // The suggestions for a UTF-8 word, in UTF-8.
    static std::vector<std::string> Suggest(const std::string& word) {
        SuggestionList list = SpellerSuggest(Cp(word));
        std::vector<std::string> words;
        for (SuggestionNode* node = list; node; node = node->next) {
            words.push_back(Cp1250ToUtf8(node->word));
        }
        SpellerFreeSuggestions(list);
        return words;
    }

    UserDictionary* OpenUserDictionary() {
        EXPECT_EQ(UserDictCreate(dir_.Path("user.dic")), 0);
        UserDictionary* user = nullptr;
        EXPECT_EQ(UserDictOpen(dir_.Path("user.dic"), user), 0);
        return user;
    }

    testing::TempDir dir_;
};

TEST_F(SuggestionsTest, FindsWordsByEditsAndPolishSpellingPairs) {
    const std::pair<const char*, const char*> cases[] = {
        {"zeka", "rzeka"},       // insertion
        {"morze", "może"},       // rz -> ż
        {"może", "morze"},       // ż -> rz
        {"ksiazka", "książka"},  // a -> ą, then z -> ż
        {"hleb", "chleb"},       // h -> ch
        {"kto", "kot"},          // transposition
        {"kotr", "kot"},         // deletion
        {"email", "e-mail"},     // insertion of a hyphen
        {"kraków", "Kraków"},    // only the capitals were wrong
        {"warszawa", "Warszawa"},
    };
    for (const auto& [word, expected] : cases) {
        EXPECT_THAT(Suggest(word), Contains(expected)) << word;
    }
    EXPECT_THAT(Suggest("tzwx"), Not(Contains("tzw")));  // abbreviations are never suggested
}

TEST_F(SuggestionsTest, ListsEachWordOnceInAlphabeticalOrder) {
    EXPECT_THAT(Suggest("kotx"), ElementsAre("kot", "kota", "koty"));
    EXPECT_THAT(Suggest("morzę"), ElementsAre("morza", "morze", "morzu", "może"));
}

TEST_F(SuggestionsTest, GivesTheMisspeltWordsCapitals) {
    EXPECT_THAT(Suggest("Kotx"), ElementsAre("Kot", "Kota", "Koty"));
    EXPECT_THAT(Suggest("KSIAZKA"), Contains("KSIĄŻKA"));
    EXPECT_THAT(Suggest("EMAIL"), Contains("E-MAIL"));
}

TEST_F(SuggestionsTest, WordsDifferingOnlyInCapitalsAreBothListedSmallFirst) {
    UserDictionary* user = OpenUserDictionary();
    ASSERT_EQ(UserDictAddWord(user, "Dom"), 0);
    EXPECT_THAT(Suggest("domx"), ElementsAre("dom", "Dom", "doma", "domy"));
    EXPECT_THAT(Suggest("DOMX"), ElementsAre("DOM", "DOMA", "DOMY"));
}

TEST_F(SuggestionsTest, UnknownAndEmptyWordsGetTheEmptyList) {
    EXPECT_THAT(Suggest("qqqqqqqq"), IsEmpty());
    EXPECT_THAT(Suggest(""), IsEmpty());
    SpellerFreeSuggestions(nullptr);
}

TEST_F(SuggestionsTest, WorkFormsPast49LettersGetNoSuggestions) {
    UserDictionary* user = OpenUserDictionary();
    ASSERT_EQ(UserDictAddWord(user, std::string(kMaxSuggestionLetters, 'a')), 0);
    std::string fifty(kMaxSuggestionLetters, 'a');
    EXPECT_THAT(Suggest(std::string(kMaxSuggestInputLetters, 'a')), ElementsAre(fifty));
    EXPECT_THAT(Suggest(std::string(kMaxSuggestInputLetters, 'a') + "1xyz"), ElementsAre(fifty));
    EXPECT_THAT(Suggest(std::string(kMaxSuggestInputLetters, 'a') + "b"), IsEmpty());
}

TEST_F(SuggestionsTest, CandidatesGrowingPast50LettersAreNotTried) {
    // 48 a's and "ą": ą -> on grows to 50 letters (tried), and then a -> ą and
    // ą -> on again would give 51 (never built into a suggestion).
    UserDictionary* user = OpenUserDictionary();
    std::string grown = std::string(48, 'a') + "on";
    ASSERT_EQ(UserDictAddWord(user, grown), 0);
    EXPECT_THAT(Suggest(std::string(48, 'a') + "ą"), Contains(grown));
    for (const std::string& word : Suggest(std::string(47, 'a') + "ąą")) {
        EXPECT_LE(Cp(word).size(), kMaxSuggestionLetters) << word;
    }
}

}  // namespace
}  // namespace tarnik
