#include "framework/string_mapper_comparator.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnik {
namespace {

StringMapperEntry Entry(const std::string& key, uint16_t language) {
    StringMapperEntry entry{};
    CopyIntoMapperField(entry.key, key);
    entry.language = language;
    return entry;
}

TEST(CStringMapperComparatorTest, OrdersByKeyAsSignedBytesThenLanguage) {
    CStringMapperComparator comparator;
    struct Case {
        std::string a;
        uint16_t la;
        std::string b;
        uint16_t lb;
        int sign;
    };
    // "\xB9" is a letter of the upper half: as a signed byte it sorts before 'a'.
    for (const Case& c : {Case{"Check", 42, "Check", 42, 0}, Case{"Check", 0, "Check", 42, -1},
                          Case{"Check", 42, "Check Word", 0, -1}, Case{"\xB9", 0, "a", 0, -1},
                          Case{"b", 0, "a", 42, 1}}) {
        StringMapperEntry x = Entry(c.a, c.la);
        StringMapperEntry y = Entry(c.b, c.lb);
        int order = comparator.Compare(&x, &y);
        EXPECT_EQ((order > 0) - (order < 0), c.sign) << c.a << " / " << c.b;
    }
}

TEST(CStringMapperComparatorTest, FieldTakesAtMost511Bytes) {
    StringMapperEntry entry{};
    EXPECT_TRUE(CopyIntoMapperField(entry.key, std::string(511, 'k')));
    EXPECT_EQ(std::string(entry.key).size(), 511u);
    EXPECT_FALSE(CopyIntoMapperField(entry.key, std::string(512, 'k')));
    EXPECT_STREQ(entry.key, "");
}

}  // namespace
}  // namespace tarnik
