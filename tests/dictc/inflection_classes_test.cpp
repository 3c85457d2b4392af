#include "tools/dictc/inflection_classes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarnik::tools {
namespace {

Codes C(const std::string& letters) {
    return Codes(letters.begin(), letters.end());
}

TEST(SplitIntoStems, TakesTheLongestCommonBeginningOfEachFirstLetter) {
    struct Case {
        std::vector<std::string> forms;
        std::vector<std::pair<std::string, std::vector<std::string>>> splits;
    };
    const Case cases[] = {
        {{"kotem", "kot", "koty", "kot"}, {{"kot", {"", "em", "y"}}}},
        {{"pisac", "pisal", "pisze"}, {{"pis", {"ac", "al", "ze"}}}},
        // A prefix that changes the first letter starts a stem of its own.
        {{"be", "abc", "abd"}, {{"ab", {"c", "d"}}, {"be", {""}}}},
    };
    for (const Case& c : cases) {
        std::vector<Codes> forms;
        for (const std::string& form : c.forms)
            forms.push_back(C(form));
        std::vector<StemSplit> splits = SplitIntoStems(forms);
        ASSERT_EQ(splits.size(), c.splits.size());
        for (size_t i = 0; i < splits.size(); ++i) {
            EXPECT_EQ(splits[i].stem, C(c.splits[i].first));
            std::vector<Codes> endings;
            for (const std::string& ending : c.splits[i].second)
                endings.push_back(C(ending));
            EXPECT_EQ(splits[i].endings, endings);
        }
    }
}

// Distinct ending sets: {"", a}, {"", aa}, ... one per number.
std::vector<Codes> EndingSet(size_t n) {
    return {Codes{}, Codes(n + 1, 'a')};
}

TEST(ClassTable, NumbersClassesInEndingOrderAcrossBothBytes) {
    ClassTable table;
    std::vector<uint32_t> provisional;
    for (size_t n = 300; n-- > 0;)  // interned in reverse of their order
        provisional.push_back(table.Intern(EndingSet(n)));
    EXPECT_EQ(table.Intern(EndingSet(5)), provisional[300 - 1 - 5]);
    table.Finish();
    ASSERT_EQ(table.Count(), 300u);
    auto code = [&](size_t n) { return table.Code(provisional[300 - 1 - n]); };
    EXPECT_EQ(code(0).first, 2);
    EXPECT_EQ(code(0).second, 1);
    EXPECT_EQ(code(254).first, 2);
    EXPECT_EQ(code(254).second, 255);
    EXPECT_EQ(code(255).first, 3);
    EXPECT_EQ(code(255).second, 1);
    std::vector<Codes> sequences = table.EndingSequences();
    EXPECT_EQ(sequences.front(), (Codes{2, 1, 1}));  // class 2/1, empty ending, end mark
    EXPECT_EQ(sequences.at(1), (Codes{2, 1, 'a', 1}));
}

TEST(ClassTable, RefusesMoreClassesThanTwoBytesNumber) {
    ClassTable table;
    for (size_t n = 0; n <= kMaxClasses; ++n)
        table.Intern({Codes{static_cast<uint8_t>(n % 200 + 1), static_cast<uint8_t>(n / 200 + 1)}});
    EXPECT_THROW(table.Finish(), std::length_error);
}

}  // namespace
}  // namespace tarnik::tools
