#include "speller/replacements.h"

#include <gtest/gtest.h>

#include "fixture_dictionary.h"

namespace tarnik {
namespace {

using testing::Cp;

TEST(ReplacementsTest, ReadsPairsAndSkipsLinesOfAnotherForm) {
    std::vector<ReplacementPair> pairs = ParseReplacements(
        "# a comment\n"
        "ć ci\r\n"
        "napewno na_pewno\n"
        "\n"
        "A b\n"       // a capital
        "a\n"         // one side
        "a b c\n"     // three fields
        "x \u2603\n"  // a character cp1250 lacks
        "a a\n"       // nothing replaced
        "a- b\n"      // not a letter
        "rz ż");      // the last line without its line break
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0].from, Cp("ć"));
    EXPECT_EQ(pairs[0].to, "ci");
    EXPECT_EQ(pairs[1].to, "na pewno");  // the underscore is a space between two words
    EXPECT_EQ(pairs[2].to, Cp("ż"));
    EXPECT_TRUE(ParseReplacements("").empty());
}

}  // namespace
}  // namespace tarnik
