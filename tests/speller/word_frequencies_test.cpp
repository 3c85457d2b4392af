#include "speller/word_frequencies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "files/checksum_trailer.h"
#include "fixture_dictionary.h"
#include "speller/main_dictionary.h"
#include "speller/ranked_suggestions.h"

namespace tarnik {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

TEST(WordFrequenciesTest, ReadsCountedLinesAndSkipsTheRest) {
    WordCounts counts = ParseWordFrequencies(
        "# a comment\n"
        "12 kot\r\n"
        "\n"
        "3 Książka\n"        // keyed in small letters
        "7\n"                // no word
        "x dom\n"            // no count
        "5  dom\n"           // two spaces
        "4 dom kot\n"        // two words
        "99999999999 las\n"  // beyond 32 bits
        "2 日本\n"           // letters cp1250 lacks
        "1 kot\n"            // a later line replaces an earlier one
        "6 pies");           // no line end
    EXPECT_THAT(counts,
                UnorderedElementsAre(Pair("kot", 1u), Pair(Cp("książka"), 3u), Pair("pies", 6u)));
}

TEST(WordFrequenciesTest, TheListBesideTheDictionaryOrdersEqualCandidates) {
    testing::TempDir dir;
    testing::WriteFixtureDictionary(dir.Path("son.dic"));
    ASSERT_EQ(SpellerOpen(dir.Path("son.dic")), 0);
    EXPECT_EQ(WordFrequency("koty"), 0u);  // no list: alphabetical among equals
    EXPECT_THAT(SpellerSuggestRanked("kotx"), ElementsAre("kot", "kota", "koty"));

    const std::string list = "50 koty\n3 kota\n";
    std::ofstream(dir.Path(kWordFrequenciesName)) << list << ChecksumTrailer(list);
    ASSERT_EQ(SpellerOpen(dir.Path("son.dic")), 0);  // read again after each opening
    EXPECT_EQ(WordFrequency("KOTY"), 50u);
    EXPECT_THAT(SpellerSuggestRanked("kotx"), ElementsAre("koty", "kota", "kot"));
    SpellerClose();
    EXPECT_EQ(WordFrequency("koty"), 0u);
}

}  // namespace
}  // namespace tarnik
