#include "typography/typo_word_list.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnik {
namespace {

TEST(TypoWordListTest, LookupIsExactAndCaseSensitive) {
    TypoWordList list("a  w do");
    EXPECT_EQ(list.Padded(), " a  w do ");
    EXPECT_EQ(list.Longest(), 2);
    EXPECT_TRUE(list.Contains("w"));
    EXPECT_TRUE(list.Contains("do"));
    EXPECT_FALSE(list.Contains("W"));
    EXPECT_FALSE(list.Contains("d"));
    EXPECT_FALSE(list.Contains(""));
    EXPECT_EQ(list.Stored(), "a  w do");
}

TEST(TypoWordListTest, EditorOperations) {
    TypoWordList list("a b");
    EXPECT_TRUE(list.Add("przed"));
    EXPECT_EQ(list.Padded(), " a b przed ");
    EXPECT_EQ(list.Longest(), 5);
    EXPECT_TRUE(list.Remove("b"));
    EXPECT_EQ(list.Padded(), " a przed ");
    EXPECT_FALSE(list.Remove("x"));
    EXPECT_TRUE(list.Change("przed", "od"));
    EXPECT_EQ(list.Padded(), " a od ");
    EXPECT_EQ(list.Longest(), 2);
    EXPECT_TRUE(list.Remove("a"));
    EXPECT_TRUE(list.Remove("od"));
    EXPECT_EQ(list.Padded(), " ");
    EXPECT_EQ(list.Stored(), "");
}

TEST(TypoWordListTest, NothingOutgrowsTheField) {
    TypoWordList list(std::string(250, 'x'));  // padded: 252 bytes
    EXPECT_TRUE(list.Add("ab"));               // 255
    EXPECT_EQ(list.Padded().size(), 255u);
    EXPECT_FALSE(list.Add("c"));
    // A change whose new word does not fit still removes the old one.
    EXPECT_TRUE(list.Change("ab", "abcd"));
    EXPECT_EQ(list.Padded(), " " + std::string(250, 'x') + " ");
}

}  // namespace
}  // namespace tarnik
