#include "charsets/hyph_letter_classes.h"

#include <gtest/gtest.h>

namespace tarnik {
namespace {

TEST(HyphLetterClassesTest, ClassesOfEveryByte) {
    HyphLetterClasses classes = BuildHyphLetterClasses();
    int letters = 0;
    for (int c = 0; c < 256; ++c) {
        auto byte = static_cast<uint8_t>(c);
        letters += classes.IsLetter(byte);
        bool dash = c == '-' || c == 0x96 || c == 0x97;
        EXPECT_EQ(classes.IsHyphenOrDash(byte), dash) << c;
        EXPECT_EQ(classes.IsDiscretionary(byte), c == 0x1F) << c;
        // Each byte is in one class at most.
        EXPECT_LE(
            classes.IsLetter(byte) + classes.IsHyphenOrDash(byte) + classes.IsDiscretionary(byte),
            1);
    }
    EXPECT_EQ(letters, 70);
    for (uint8_t c : {uint8_t{'A'}, uint8_t{'z'}, uint8_t{0xB9}, uint8_t{0x8F}, uint8_t{0xBF}}) {
        EXPECT_TRUE(classes.IsLetter(c)) << int{c};
    }
    for (uint8_t c : {uint8_t{'0'}, uint8_t{0xE1}, uint8_t{0x9A}, uint8_t{0xAD}, uint8_t{0x84}}) {
        EXPECT_FALSE(classes.IsLetter(c)) << int{c};
    }
}

}  // namespace
}  // namespace tarnik
