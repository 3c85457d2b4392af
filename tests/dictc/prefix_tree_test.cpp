#include "tools/dictc/prefix_tree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarnik::tools {
namespace {

Codes C(const std::string& letters) {
    return Codes(letters.begin(), letters.end());
}

std::vector<Codes> Prefixes(const std::vector<std::string>& stems, size_t maxNodes) {
    std::vector<Codes> codes;
    for (const std::string& stem : stems)
        codes.push_back(C(stem));
    return ChooseNodePrefixes(codes, maxNodes);
}

TEST(ChooseNodePrefixes, SplitsTheLargestBlockFirstAndStopsWhereNothingSplits) {
    struct Case {
        std::vector<std::string> stems;
        size_t maxNodes;
        std::vector<std::string> prefixes;
    };
    const Case cases[] = {
        // Every first letter; then "k" holds the most, and within it "ko".
        {{"b", "kota", "kotb", "kotc", "ku"}, 3, {"b", "k", "ko"}},
        {{"b", "kota", "kotb", "kotc", "ku"}, 4, {"b", "k", "ko", "kot"}},
        // A stem that is its node's whole prefix cannot move deeper.
        {{"ab", "ab"}, 100, {"a", "ab"}},
    };
    for (const Case& c : cases) {
        std::vector<Codes> expected;
        for (const std::string& prefix : c.prefixes)
            expected.push_back(C(prefix));
        EXPECT_EQ(Prefixes(c.stems, c.maxNodes), expected) << c.prefixes.back();
    }
}

TEST(ChooseNodePrefixes, EveryLeadingRunIsClosedUnderPrefixes) {
    std::vector<std::string> stems;
    for (char x = 'a'; x <= 'z'; ++x)
        for (char y = 'a'; y <= 'z'; ++y)
            for (char z = 'a'; z <= 'j'; ++z)
                stems.push_back(std::string("p") + x + y + z);
    std::vector<Codes> prefixes = Prefixes(stems, 500);
    EXPECT_EQ(prefixes.size(), 500u);
    for (size_t k = 0; k < prefixes.size(); ++k) {
        if (prefixes[k].size() == 1)
            continue;
        Codes parent(prefixes[k].begin(), prefixes[k].end() - 1);
        EXPECT_NE(std::find(prefixes.begin(), prefixes.begin() + static_cast<ptrdiff_t>(k), parent),
                  prefixes.begin() + static_cast<ptrdiff_t>(k));
    }
}

}  // namespace
}  // namespace tarnik::tools
