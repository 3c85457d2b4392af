// The speller and the hyphenation data each read their own file: opening,
// using and closing one never disturbs the other.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hyphenation/hyph_dict.h"
#include "hyphenation/hyphenate_word.h"
#include "speller/main_dictionary.h"
#include "speller/word_check.h"

namespace tarnik {
namespace {

const std::string kData = std::string(TARNIK_SOURCE_DIR) + "/data/";

std::string Hyphenated(const HyphDict& dict, const std::string& word) {
    std::string out;
    HyphenateWordWithoutUser(dict, word, &out);
    return out;
}

TEST(EnginesApart, TheMainDictionaryAndTheHyphenationDataWorkInTurns) {
    ASSERT_EQ(SpellerOpen(kData + "son.dic"), 0);
    EXPECT_EQ(SpellerCheckWord("pies"), 1);

    std::unique_ptr<HyphDict> dict;
    ASSERT_EQ(OpenHyphDict(kData + "PLHYPH.DAT", dict), 0);
    for (int turn = 0; turn < 3; ++turn) {
        SCOPED_TRACE(turn);
        EXPECT_TRUE(SpellerIsOpen());
        EXPECT_EQ(SpellerCheckWord("pies"), 1);
        EXPECT_EQ(SpellerCheckWord("miasto"), 1);
        EXPECT_EQ(SpellerCheckWord("miastox"), 0);
        EXPECT_EQ(Hyphenated(*dict, "miasto"), "mia-sto");
        EXPECT_EQ(Hyphenated(*dict, "konstantynopolski"), "kon-stan-ty-no-pol-ski");
        // Opening the data again while the speller is open leaves the speller be.
        std::unique_ptr<HyphDict> again;
        ASSERT_EQ(OpenHyphDict(kData + "PLHYPH.DAT", again), 0);
        CloseHyphDict(again);
    }
    CloseHyphDict(dict);
    EXPECT_EQ(SpellerCheckWord("miasto"), 1);

    // And the other way round: the speller opened and closed under open data.
    ASSERT_EQ(OpenHyphDict(kData + "PLHYPH.DAT", dict), 0);
    SpellerClose();
    EXPECT_EQ(Hyphenated(*dict, "miasto"), "mia-sto");
    ASSERT_EQ(SpellerOpen(kData + "son.dic"), 0);
    EXPECT_EQ(SpellerCheckWord("pies"), 1);
    EXPECT_EQ(Hyphenated(*dict, "miasto"), "mia-sto");
    SpellerClose();
}

}  // namespace
}  // namespace tarnik
