#include "speller/word_check.h"

#include <gtest/gtest.h>

#include "fixture_dictionary.h"
#include "speller/main_dictionary.h"
#include "speller/user_dictionary.h"

namespace tarnik {
namespace {

using testing::Cp;

class WordCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::WriteFixtureDictionary(dir_.Path("son.dic"));
        ASSERT_EQ(SpellerOpen(dir_.Path("son.dic")), 0);
    }
    void TearDown() override { SpellerClose(); }

    testing::TempDir dir_;
};

struct CheckCase {
    const char* word;  // UTF-8
    int correct;
};

TEST_F(WordCheckTest, ChecksWordsByTheirCapitalisation) {
    const CheckCase cases[] = {
        {"", 1},
        {"kot", 1},
        {"Kot", 1},
        {"KOT", 1},
        {"kotem", 1},
        {"koty", 1},
        {"kotu", 0},
        {"kOt", 0},  // mixed: only a user dictionary could hold
                     // it
        {"ko", 0},   // the empty stem "ko" has no empty ending
        {"koza", 1},
        {"kozą", 1},  // the empty stem of node ko, past the deeper node koz
        {"kozioł", 1},
        {"koziołem", 1},
        {"kozioły", 1},
        {"koziołu", 0},
        {"książkę", 1},
        {"KSIĄŻKĘ", 1},
        {"książke", 0},
        {"rzeka", 1},
        {"zeka", 0},
        {"morze", 1},
        {"może", 1},
        {"e-mail", 1},
        {"e-maila", 1},
        {"E-MAIL", 0},  // the hyphen makes it
                        // mixed
        {"np", 1},
        {"Np", 1},
        {"NP", 1},
        {"Warszawa", 1},
        {"WARSZAWA", 1},
        {"warszawa", 0},
        {"WarSzawa", 0},
        {"PKP", 1},
        {"Pkp", 0},
        {"pkp", 0},
        {"Kraków", 1},
        {"KRAKÓW", 1},
        {"kot1", 1},
        {"KOT1", 1},  // the case of the letters before the digit
        {"PKP2", 1},
        {"Pkp2", 0},
        {"1kot", 0},
        {"kot's", 1},
        {"x", 0},
        {"W", 0},  // a one-letter capital is all capitals: w, W
        {"tzw", 0},
        {"ul", 0},  // abbreviations need the full stop
    };
    for (const CheckCase& c : cases) {
        EXPECT_EQ(SpellerCheckWord(Cp(c.word)), c.correct) << c.word;
    }
}

TEST_F(WordCheckTest, AbbreviationsPassOnlyBeforeAFullStop) {
    for (const char* word : {"tzw", "ul", "Dr", "DR"}) {
        EXPECT_EQ(SpellerCheckWordBeforeStop(Cp(word)), 1) << word;
        EXPECT_EQ(SpellerCheckWord(Cp(word)), 0) << word;
    }
    EXPECT_EQ(SpellerCheckWordBeforeStop(Cp("kot")), 1);
    EXPECT_EQ(SpellerCheckWordBeforeStop(Cp("tzwx")), 0);
}

TEST_F(WordCheckTest, UserDictionaryWordsPassInTheFormTheirCapitalsAllow) {
    ASSERT_EQ(UserDictCreate(dir_.Path("user.dic")), 0);
    UserDictionary* user = nullptr;
    ASSERT_EQ(UserDictOpen(dir_.Path("user.dic"), user), 0);
    for (const char* word : {"Kowalski", "Bielsko-Biała", "w", "McDonald", "GHz"}) {
        ASSERT_EQ(UserDictAddWord(user, Cp(word)), 0);
    }
    const CheckCase cases[] = {
        {"Kowalski", 1},
        {"KOWALSKI", 1},
        {"kowalski", 0},
        {"Bielsko-Biała", 1},
        {"bielsko-biała", 0},
        {"BIELSKO-BIAŁA", 0},
        {"W", 1},
        {"w", 1},
        // capitals stand for any case form a user dictionary holds
        {"MCDONALD", 1},
        {"GHZ", 1},
        {"Mcdonald", 0},
        {"mcdonald", 0},
        {"Ghz", 0},
        {"MCDONALDS", 0},
    };
    for (const CheckCase& c : cases) {
        EXPECT_EQ(SpellerCheckWord(Cp(c.word)), c.correct) << c.word;
    }
    SpellerClose();  // closes the user dictionary too
    EXPECT_EQ(SpellerCheckWord(Cp("Kowalski")), 0);
}

TEST_F(WordCheckTest, HyphenatedWordsPassWhenEveryPartDoes) {
    const CheckCase cases[] = {
        {"kot-dom", 1},
        {"Kot-Dom", 1},  // each part with its own capitals
        {"PKP-kot", 1},
        {"Warszawa-Kraków", 1},
        {"KOT-DOM", 1},
        {"e-mail-kot", 1},
        {"kot-", 1},  // a hyphen at the end is checked without it
        {"kot--", 1},
        {"kot--dom", 1},  // a dash typed as two hyphens
        {"kot-1", 1},     // checked by its letters, as kot1 is
        {"kot-xyz", 0},
        {"xyz-kot", 0},
        {"warszawa-kot", 0},  // a name needs its capital in a compound too
        {"kot-tzw", 0},       // an abbreviation needs its full stop
        {"-", 0},
        {"--", 0},
    };
    for (const CheckCase& c : cases) {
        EXPECT_EQ(SpellerCheckWord(Cp(c.word)), c.correct) << c.word;
    }
    EXPECT_EQ(SpellerCheckWordBeforeStop(Cp("kot-tzw")), 1);
    EXPECT_EQ(SpellerCheckWordBeforeStop(Cp("tzw-kot")), 0);  // only the last part ends before it
}

TEST_F(WordCheckTest, ForeignLettersAreNeverCutOff) {
    // Each of these would pass as "kot" if the word were cut at its foreign letter.
    for (const char* word : {"kotü", "Koté", "KOTŘ", "kotß", "kot\x81", "kot-dom\x81"}) {
        std::string cp = std::string_view(word).find('\x81') == std::string_view::npos
                             ? Cp(word)
                             : std::string(word);
        EXPECT_EQ(SpellerCheckWord(cp), 0) << word;
    }
    EXPECT_EQ(WordCasePattern(Cp("MÜLLER")), CasePattern::kAllCapitals);
    EXPECT_EQ(WordCasePattern(Cp("Müller")), CasePattern::kCapitalised);
}

TEST(CasePatternTest, ClassifiesByCapitals) {
    const std::pair<const char*, CasePattern> cases[] = {
        {"", CasePattern::kSmall},
        {"k", CasePattern::kSmall},
        {"W", CasePattern::kAllCapitals},
        {"kot", CasePattern::kSmall},
        {"Kraków", CasePattern::kCapitalised},
        {"PKP", CasePattern::kAllCapitals},
        {"ŻÓŁW", CasePattern::kAllCapitals},
        {"Bielsko-Biała", CasePattern::kMixed},
        {"McDonald", CasePattern::kMixed},
        {"kOt", CasePattern::kMixed},
        {"PKP1", CasePattern::kMixed},
        {"polsko-niemiecki", CasePattern::kSmall},
        {"1A", CasePattern::kMixed},
        {"Ab1", CasePattern::kCapitalised},
    };
    for (const auto& [word, pattern] : cases) {
        EXPECT_EQ(WordCasePattern(Cp(word)), pattern) << word;
    }
}

TEST_F(WordCheckTest, WordsPastTheCheckLengthAreRefusedNotCut) {
    // "kot" followed by 275 more letters: 278 letters still fit, 279 do not.
    std::string longest = "k" + std::string(kMaxWordLetters - 1, 'o');
    EXPECT_EQ(SpellerCheckWord(longest), 0);
    ASSERT_EQ(UserDictCreate(dir_.Path("user.dic")), 0);
    UserDictionary* user = nullptr;
    ASSERT_EQ(UserDictOpen(dir_.Path("user.dic"), user), 0);
    std::string fits(kMaxUserWordLetters, 'a');
    ASSERT_EQ(UserDictAddWord(user, fits), 0);
    EXPECT_EQ(SpellerCheckWord(fits), 1);
    // The same word with a digit past the letters: checked by its letters.
    EXPECT_EQ(SpellerCheckWord(fits + "1" + std::string(400, 'a')), 1);
    EXPECT_EQ(SpellerCheckWord(std::string(kMaxWordLetters + 1, 'a')), 0);
}

}  // namespace
}  // namespace tarnik
