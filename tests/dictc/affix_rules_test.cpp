#include "tools/dictc/affix_rules.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace tarnik::tools {
namespace {

std::string ErrorOf(const std::string& affix) {
    std::istringstream in(affix);
    try {
        ReadAffixRules(in);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST(AffixRules, RefusesWhatWouldChangeCorrectnessNamingTheLine) {
    struct Case {
        std::string affix;
        std::string message;
    };
    const Case cases[] = {
        {"SET UTF-8\nCOMPOUNDFLAG X\n", "line 2: the directive COMPOUNDFLAG is not supported"},
        {"FLAG long\n", "line 1: the directive FLAG is not supported"},
        {"SFX A Y 1\nSFX A 0 y/B .\n", "line 2: affixes with continuation flags"},
        {"SFX A Y 2\nSFX A 0 y .\n", "ends before the last class has all its rules"},
        {"SFX A Y 2\nSFX A 0 y .\nSFX B Y 1\n", "line 3: the class before this line has fewer"},
        {"SFX A Y 1\nSFX A 0 y .\nSFX A Y 1\nSFX A 0 e .\n", "line 3: the flag A is defined twice"},
        {"SFX A X 1\n", "line 1: malformed SFX header"},
        {"SFX A Y 1\nSFX A 0 y [ab\n", "line 2: condition with an unclosed ["},
        {"SET NO-SUCH-ENCODING\n", "unknown encoding"},
        {"REP 1\nREP a\n", "line 2: malformed REP line"},
    };
    for (const Case& c : cases)
        EXPECT_NE(ErrorOf(c.affix).find(c.message), std::string::npos)
            << c.affix << " gave: " << ErrorOf(c.affix);
}

TEST(AffixRules, ReadsConditionsAndPassesOverHintsAndComments) {
    std::istringstream in(
        "# a comment\nSET UTF-8\nTRY ab\nREP 2\nREP a b\nREP napewno na_pewno\nMAP 1\nMAP aą\n\n"
        "SFX A N 1\nSFX A ć łem [^dsz]ać\nPFX P Y 1\nPFX P 0 nie\n");
    AffixRules rules = ReadAffixRules(in);
    ASSERT_EQ(rules.replacements.size(), 2u);
    EXPECT_EQ(rules.replacements[0].from, U"a");
    EXPECT_EQ(rules.replacements[0].to, U"b");
    EXPECT_EQ(rules.replacements[1].to, U"na_pewno");
    ASSERT_EQ(rules.classes.size(), 2u);
    const AffixClass& suffix = rules.classes.at('A');
    EXPECT_FALSE(suffix.prefix);
    EXPECT_FALSE(suffix.crossProduct);
    const AffixRule& rule = suffix.rules.at(0);
    EXPECT_EQ(rule.strip, U"ć");
    EXPECT_EQ(rule.append, U"łem");
    EXPECT_TRUE(ConditionHolds(rule, false, U"kopać"));
    EXPECT_FALSE(ConditionHolds(rule, false, U"sać"));  // shorter than the condition
    EXPECT_FALSE(ConditionHolds(rule, false, U"kazać"));
    const AffixClass& prefix = rules.classes.at('P');
    EXPECT_TRUE(prefix.prefix && prefix.crossProduct);
    EXPECT_TRUE(prefix.rules.at(0).condition.empty());  // no condition: any word
}

}  // namespace
}  // namespace tarnik::tools
