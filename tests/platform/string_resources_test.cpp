#include "platform/string_resources.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnik {
namespace {

TEST(StringResourcesTest, NumberedStringThenLineBreakThenSuffix) {
    EXPECT_STREQ(LoadStringResource(510, "son.dic"),
                 "The dictionary file lacks a resource.\r\nson.dic");
    EXPECT_STREQ(LoadStringResource(static_cast<uint16_t>(-43), nullptr),
                 "The file cannot be opened.\r\n");
    EXPECT_STREQ(LoadStringResource(9999, "only the suffix"), "only the suffix");
}

TEST(StringResourcesTest, ResultIsCutToTheBuffer) {
    std::string suffix(400, 's');
    std::string result = LoadStringResource(510, suffix.c_str());
    EXPECT_EQ(result.size(), 254u);
    EXPECT_EQ(result.substr(0, 10), "The dictio");
}

}  // namespace
}  // namespace tarnik
