#include "speller/ranked_suggestions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "fixture_dictionary.h"
#include "speller/main_dictionary.h"
#include "speller/suggestion_work.h"
#include "speller/suggestions.h"
#include "speller/user_dictionary.h"
#include "speller/word_check.h"

namespace tarnik {
namespace {

using ::testing::Contains;
using testing::Cp;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

std::vector<std::string> Ranked(const std::string& utf8) {
    std::vector<std::string> words = SpellerSuggestRanked(Cp(utf8));
    for (std::string& w : words)
        w = Cp1250ToUtf8(w);
    return words;
}

class RankedSuggestionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::WriteFixtureDictionary(dir_.File("son.dic"));
        ASSERT_EQ(SpellerOpen(dir_.File("son.dic")), 0);
    }
    void TearDown() override { SpellerClose(); }

    testing::TempDir dir_;
};

TEST_F(RankedSuggestionsTest, PutsTheLikeliestWordFirst) {
    const std::pair<const char*, const char*> cases[] = {
        {"ksiazka", "książka"},  // two diacritics missing
        {"KSIAZKA", "KSIĄŻKA"},  // in the typed word's capitals
        {"Pkp", "PKP"},          // an acronym typed with small letters
        {"pkp", "PKP"},         {"hleb", "chleb"},
        {"moze", "może"},                                // a missing diacritic before rz/ż
        {"kotx", "kot"},        {"kot-dmo", "kot-dom"},  // the faulty part mended, the rest kept
        {"Kot-Dmo", "Kot-Dom"}, {"warszawa", "Warszawa"},
    };
    for (const auto& [typed, first] : cases) {
        std::vector<std::string> ranked = Ranked(typed);
        ASSERT_THAT(ranked, Not(IsEmpty())) << typed;
        EXPECT_EQ(ranked.front(), first) << typed;
    }
}

TEST_F(RankedSuggestionsTest, FindsWhatTheAlphabeticalListMisses) {
    // Three changes at once: beyond the two orthographic steps of SpellerSuggest.
    SuggestionList list = SpellerSuggest(Cp("kziazke"));
    EXPECT_EQ(list, nullptr);
    SpellerFreeSuggestions(list);
    EXPECT_THAT(Ranked("ksiazke"), Contains("książkę"));
    EXPECT_THAT(Ranked("krakow"), Contains("Kraków"));
}

TEST_F(RankedSuggestionsTest, KeepsTheAlphabeticalListWhenRankingIsOff) {
    std::vector<std::string> alphabetical;
    for (const std::string& w : ShownSuggestions(Cp("kotx"), false))
        alphabetical.push_back(Cp1250ToUtf8(w));
    EXPECT_THAT(alphabetical, ElementsAre("kot", "kota", "koty"));
    EXPECT_EQ(ShownSuggestions(Cp("kotx"), true), SpellerSuggestRanked(Cp("kotx")));
}

TEST_F(RankedSuggestionsTest, ShowsAtMostFifteen) {
    EXPECT_LE(SpellerSuggestRanked(Cp("ko")).size(), kMaxRankedSuggestions);
    EXPECT_THAT(SpellerSuggestRanked(Cp("ko"), 2).size(), 2u);
}

TEST_F(RankedSuggestionsTest, ForeignLetters) {
    // Written on plain letters, the word is known.
    EXPECT_THAT(Ranked("kót"), Contains("kot"));
    EXPECT_THAT(Ranked("kötem"), Contains("kotem"));
    // A letter that no cp1250 byte holds: nothing to go by.
    EXPECT_THAT(SpellerSuggestRanked("kot\x81"), IsEmpty());
}

// Repeats a UTF-8 text.
std::string Times(std::string_view utf8, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += utf8;
    return out;
}

// Every lookup a request makes is a step it took within its bound; `lookups` is
// how many it made.
void ExpectWithinItsWork(const SuggestionWork& work, uint64_t lookups, const std::string& word) {
    EXPECT_LE(work.Spent(), work.Bound()) << word;
    EXPECT_LE(lookups, work.Spent()) << word;
}

TEST_F(RankedSuggestionsTest, StopsAtTheBoundOfItsWork) {
    // A small bound stops a normal word's searches part-way, the alphabetical
    // list's too, and the candidates found by then still come back.
    for (uint32_t bound : {1u, 50u, 500u}) {
        SuggestionWork work(bound);
        uint64_t before = SpellerLookupCount();
        SpellerSuggestRanked(Cp("ksiazka"), kMaxRankedSuggestions, work);
        EXPECT_TRUE(work.Stopped()) << bound;
        ExpectWithinItsWork(work, SpellerLookupCount() - before, "ksiazka");

        SuggestionWork alphabetical(bound);
        before = SpellerLookupCount();
        SpellerFreeSuggestions(SpellerSuggest(Cp("ksiazka"), alphabetical));
        EXPECT_TRUE(alphabetical.Stopped()) << bound;
        ExpectWithinItsWork(alphabetical, SpellerLookupCount() - before, "ksiazka");
    }
    SuggestionWork work(60);
    EXPECT_THAT(SpellerSuggestRanked(Cp("kotx"), kMaxRankedSuggestions, work), Contains("kot"));
}

TEST(SuggestionDistanceTest, OrdersTypicalErrors) {
    auto d = [](const char* typed, const char* meant) {
        return SuggestionDistance(Cp(typed), Cp(meant));
    };
    EXPECT_EQ(d("kot", "kot"), 0);
    EXPECT_LT(d("zolty", "żółty"), d("zolty", "zloty"));  // three diacritics, one swap
    EXPECT_LT(d("morze", "może"), d("morze", "morzem"));  // rz/ż, a letter left out
    EXPECT_LT(d("hleb", "chleb"), d("hleb", "hlew"));
    EXPECT_LT(d("kott", "kot"), d("kotr", "kot"));   // a doubled letter
    EXPECT_LT(d("kpt", "kot"), d("kxt", "kot"));     // o and p are neighbours
    EXPECT_LT(d("Pkp", "PKP"), d("Pkp", "Pkt"));     // case is cheap
    EXPECT_LT(d("ktoa", "kota"), d("ktoa", "kto"));  // a swap before a deletion
}

// The real dictionary, on the errors a writer makes most.
class BundledDictionaryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SpellerOpen(TARNIK_SOURCE_DIR "/data/son.dic"), 0);
        UserDictionary* mixed = nullptr;
        ASSERT_EQ(
            UserDictOpen(TARNIK_SOURCE_DIR "/data/" + std::string(kMixedCaseDictionaryName), mixed),
            0);
    }
    void TearDown() override { SpellerClose(); }
};

TEST_F(BundledDictionaryTest, WordsTypedWithoutDiacriticsAndAcronyms) {
    const std::pair<const char*, const char*> cases[] = {
        {"dlugosc", "długość"},
        {"kosciol", "kościół"},
        {"zolw", "żółw"},
        {"zolty", "żółty"},
        {"Zrodlo", "Źródło"},
        {"wyciagnal", "wyciągnął"},
        {"Pkp", "PKP"},
        {"Nato", "NATO"},
        {"biało-czrwony", "biało-czerwony"},
        {"gazty", "gazety"},
        {"polsko-niemiecky", "polsko-niemiecki"},
        {"Ghz", "GHz"},  // a mixed-case word of the bundled list
        {"javascript", "JavaScript"},
        {"korekcij", "korekcji"},    // a swap before i/y
        {"komorkami", "komórkami"},  // a common word before a name
        {"kawałkó", "kawałku"},
        {"chelp", "help"},         // the frequent word of two as far away
        {"lozka", "łóżka"},        // the frequent word of those without diacritics
        {"Slaskiej", "Śląskiej"},  // of words equally rare, the one with more marks
        {"ksiazka", "książka"},    // a mark on the ending after none
        {"wziąść", "wziąć"},       // ść for ć in an infinitive
    };
    for (const auto& [typed, first] : cases) {
        std::vector<std::string> ranked = Ranked(typed);
        ASSERT_THAT(ranked, Not(IsEmpty())) << typed;
        EXPECT_EQ(ranked.front(), first) << typed;
    }
    // Words run together, and names after common words for a small word typed.
    const std::pair<const char*, const char*> together[] = {
        {"napewno", "na pewno"},
        {"wogóle", "w ogóle"},
        {"niewiem", "nie wiem"},
        {"pozatym", "poza tym"},
        {"conajmniej", "co najmniej"},
        {"spowrotem", "z powrotem"},
        {"Narazie", "Na razie"},
        {"NAPEWNO", "NA PEWNO"},
        {"kotta", "kota"},
        {"gazty", "gazety"},
        {"bogno", "bongo"},
    };
    for (const auto& [typed, first] : together) {
        std::vector<std::string> ranked = Ranked(typed);
        ASSERT_THAT(ranked, Not(IsEmpty())) << typed;
        EXPECT_EQ(ranked.front(), first) << typed;
    }
    std::vector<std::string> zle = Ranked("zle");
    ASSERT_GE(zle.size(), 2u);
    EXPECT_THAT(std::vector<std::string>(zle.begin(), zle.begin() + 2), Contains("źle"));
}

TEST_F(BundledDictionaryTest, HyphenatedAndMixedCaseWordsOfTheSourcePass) {
    for (const char* word : {"biało-czerwony", "polsko-niemiecki", "e-mail", "SMS-a", "non-stop",
                             "Curie-Skłodowska", "Bielsko-Biała", "dwu-", "atomu-", "GHz", "MHz",
                             "kB", "pH", "JavaScript", "tRNA", "GHZ", "JAVASCRIPT"}) {
        EXPECT_EQ(SpellerCheckWord(Cp(word)), 1) << word;
    }
    for (const char* word : {"biało-czerwny", "Ghz", "ghz", "javascript", "klikajšc"})
        EXPECT_EQ(SpellerCheckWord(Cp(word)), 0) << word;
}

TEST_F(BundledDictionaryTest, RunawayWordsStopAtTheBoundOfTheirWork) {
    // Words whose searches had no bound but the candidates they finished: the
    // walk over the spellings of "hhh..." (h or ch at every letter) visits
    // billions of spellings that grow too long before any is tried, and each
    // faulty part of a hyphenated word is searched on its own.
    const std::string runaway[] = {std::string(48, 'h'), Cp(Times("ż", 48)), Cp(Times("Ż", 48))};
    for (const std::string& word : runaway) {
        SuggestionWork work;
        uint64_t before = SpellerLookupCount();
        SpellerSuggestRanked(word, kMaxRankedSuggestions, work);
        EXPECT_TRUE(work.Stopped()) << Cp1250ToUtf8(word);
        ExpectWithinItsWork(work, SpellerLookupCount() - before, Cp1250ToUtf8(word));
    }
    // Long words of many alternatives stay within it too.
    for (const std::string& word : {Cp(Times("rz", 24)), Cp(Times("ch", 24)), std::string(49, 'o'),
                                    Times("kotx-", 20), Cp(Times("żółwx-", 16))}) {
        SuggestionWork work;
        uint64_t before = SpellerLookupCount();
        SpellerSuggestRanked(word, kMaxRankedSuggestions, work);
        ExpectWithinItsWork(work, SpellerLookupCount() - before, Cp1250ToUtf8(word));
    }
    // Normal words never come near it, so their suggestions are those of an
    // unbounded search.
    for (const char* word : {"ksiazka", "dlugosc", "wyciagnal", "zolty", "biało-czrwony",
                             "niezaleznosciowego", "konstantynopolitanczykowianeczka"}) {
        SuggestionWork work;
        uint64_t before = SpellerLookupCount();
        SpellerSuggestRanked(Cp(word), kMaxRankedSuggestions, work);
        EXPECT_FALSE(work.Stopped()) << word << ": " << work.Spent();
        ExpectWithinItsWork(work, SpellerLookupCount() - before, word);
    }
}

}  // namespace
}  // namespace tarnik
