#include "hyphenation/hyphenate_word.h"

#include <gtest/gtest.h>

#include "charsets/utf8.h"
#include "hyph_fixture.h"

namespace tarnik {
namespace {

// A break after every vowel, except where "u2r" holds it back; "z1c" and "z1y"
// break inside "wszcz" words. ą is 0xB1 in the patterns' ISO 8859-2.
constexpr char kPatterns[] =
    "a1\ne1\ni1\no1\nu1\ny1\n\xb1"
    "1\nz1c\nz1y\nu2r\n";

class HyphenateWordTest : public testing::Test {
  protected:
    void SetUp() override {
        dict_ = test::OpenData(test::TestFolder(), kPatterns, "ban-ana\nk-u-r-a\n",
                               "kot-ek\nkuba\nba-nana\n");
        ASSERT_TRUE(dict_);
    }

    std::string WithUser(const std::string& word, uint32_t* mask = nullptr) {
        std::string out;
        uint32_t m = HyphenateWordWithUser(*dict_, Utf8ToCp1250(word), &out);
        if (mask)
            *mask = m;
        return Cp1250ToUtf8(out);
    }

    std::string WithoutUser(const std::string& word) {
        std::string out;
        HyphenateWordWithoutUser(*dict_, Utf8ToCp1250(word), &out);
        return Cp1250ToUtf8(out);
    }

    std::unique_ptr<HyphDict> dict_;
};

struct Case {
    const char* word;
    const char* withUser;
    const char* withoutUser;
};

TEST_F(HyphenateWordTest, BreaksFollowPatternsListsAndLimits) {
    const Case cases[] = {
        {"ab", "ab", "ab"},           // too short
        {"ala", "ala", "ala"},        // three letters never break
        {"baba", "ba-ba", "ba-ba"},   // four letters: only the middle
        {"abab", "abab", "abab"},     // breaks after 1 and 3 are out of bounds
        {"kura", "ku-ra", "ku-ra"},   // built-in list: only its break after 2 is legal
        {"kuraś", "kuraś", "kuraś"},  // u2r outweighs u1
        {"bezczelny", "be-z-cze-lny", "be-z-cze-lny"},
        {"wszczepić", "wszcze-pić", "wszcze-pić"},  // z1c after "wsz" is held back
        {"wszczyta", "wszcz-y-ta", "wszcz-y-ta"},   // a break right after "wszcz" is fine
        {"Wszczyta", "Wszcz-y-ta", "Wszcz-y-ta"},   // also in capitals
        {"KOTEK", "KOT-EK", "KO-TEK"},              // capitals fold; the output keeps them
        {"kotek", "kot-ek", "ko-tek"},              // user list over the patterns
        {"kuba", "kuba", "ku-ba"},                  // a user entry without breaks
        {"banana", "ba-nana", "ban-ana"},           // user list over the built-in list
        {"bąbą", "bą-bą", "bą-bą"},
        {"b±b±", "b±b±", "b±b±"},  // ± shares ą's ISO byte but is no ą
        {"a1bc", "a", "a"},        // the word ends at a digit
        {"kotek2", "kot-ek", "ko-tek"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithUser(c.word), c.withUser) << c.word;
        EXPECT_EQ(WithoutUser(c.word), c.withoutUser) << c.word;
    }
}

TEST_F(HyphenateWordTest, EntriesSetAndClearTheUserMode) {
    WithUser("kotek");
    EXPECT_EQ(UserExceptionsMode(), 1);
    WithoutUser("kotek");
    EXPECT_EQ(UserExceptionsMode(), 0);
}

TEST_F(HyphenateWordTest, MaskHasABitPerBreakRotatingAfter32Letters) {
    uint32_t mask = 0;
    EXPECT_EQ(WithUser("bababa", &mask), "ba-ba-ba");
    EXPECT_EQ(mask, 0b1010u);
    std::string forty;
    for (int i = 0; i < 20; ++i)
        forty += "ba";
    WithUser(forty, &mask);
    // Breaks after letters 2, 4, ... 38: bits 1, 3, ... 31, and 33-37 wrap onto bits 1-5.
    EXPECT_EQ(mask, 0xAAAAAAAAu);
    EXPECT_EQ(HyphenateWordWithoutUser(*dict_, "kot"), 0u);
}

TEST_F(HyphenateWordTest, WordsPastTheFrameStayWhole) {
    std::string longest, tooLong;
    for (size_t i = 0; i < kMaxHyphWord / 2; ++i)
        longest += "ba";
    tooLong = longest + "b";
    std::string out;
    EXPECT_NE(HyphenateWordWithUser(*dict_, longest, &out), 0u);
    EXPECT_EQ(std::count(out.begin(), out.end(), '-'), 126);
    EXPECT_EQ(HyphenateWordWithUser(*dict_, tooLong, &out), 0u);
    EXPECT_EQ(out, tooLong);
    EXPECT_EQ(HyphenateWordWithUser(*dict_, tooLong + "1", &out), 0u);
    EXPECT_EQ(out, tooLong);
}

TEST(HyphenateRealData, PolishWords) {
    std::unique_ptr<HyphDict> dict;
    ASSERT_EQ(OpenHyphDict(TARNIK_SOURCE_DIR "/data/PLHYPH.DAT", dict), 0);
    const std::pair<const char*, const char*> cases[] = {
        {"konstantynopolitańczykowianeczka", "kon-stan-ty-no-po-li-tań-czy-ko-wia-necz-ka"},
        {"Przedszkole", "Przed-szko-le"},
        {"ŚLĄSKIEGO", "ŚLĄ-SKIE-GO"},
        {"pięćdziesiąt", "pięć-dzie-siąt"},
        {"wszczepić", "wszcze-pić"},
        {"zażółć", "za-żółć"},
        {"gęślą", "gę-ślą"},
        {"jaźń", "jaźń"},
        {"niebieski", "nie-bie-ski"},
    };
    for (const auto& [word, expected] : cases) {
        std::string out;
        HyphenateWordWithUser(*dict, Utf8ToCp1250(word), &out);
        EXPECT_EQ(Cp1250ToUtf8(out), expected) << word;
    }
}

}  // namespace
}  // namespace tarnik
