#include "charsets/char_classes.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnik {
namespace {

struct ClassCase {
    uint8_t byte;
    bool upper, lower, digit, polish;
    uint8_t toUpper, toLower;
};

class ByteClassesTest : public testing::TestWithParam<ClassCase> {};

TEST_P(ByteClassesTest, ClassesAndCaseMaps) {
    const ClassCase& c = GetParam();
    EXPECT_EQ(IsUpper(c.byte), c.upper);
    EXPECT_EQ(IsLower(c.byte), c.lower);
    EXPECT_EQ(IsDigit(c.byte), c.digit);
    EXPECT_EQ(IsAlpha(c.byte), c.upper || c.lower);
    EXPECT_EQ(IsAlnum(c.byte), c.upper || c.lower || c.digit);
    EXPECT_EQ(IsPolishLetter(c.byte), c.polish);
    EXPECT_EQ(ToUpper(c.byte), c.toUpper);
    EXPECT_EQ(ToLower(c.byte), c.toLower);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ByteClassesTest,
    testing::Values(ClassCase{'A', true, false, false, false, 'A', 'a'},
                    ClassCase{'z', false, true, false, false, 'Z', 'z'},
                    ClassCase{'0', false, false, true, false, '0', '0'},
                    ClassCase{'9', false, false, true, false, '9', '9'},
                    ClassCase{'-', false, false, false, false, '-', '-'},
                    ClassCase{0xB9, false, true, false, true, 0xA5, 0xB9},  // ą
                    ClassCase{0xA5, true, false, false, true, 0xA5, 0xB9},  // Ą
                    ClassCase{0x9C, false, true, false, true, 0x8C, 0x9C},  // ś
                    ClassCase{0x8F, true, false, false, true, 0x8F, 0x9F},  // Ź
                    ClassCase{0xBF, false, true, false, true, 0xAF, 0xBF},  // ż
                    ClassCase{0xB3, false, true, false, true, 0xA3, 0xB3},  // ł
                    // Foreign letters of cp1250 are no letters here.
                    ClassCase{0xE1, false, false, false, false, 0xE1, 0xE1},  // á
                    ClassCase{0x9A, false, false, false, false, 0x9A, 0x9A},  // š
                    ClassCase{0xC9, false, false, false, false, 0xC9, 0xC9},  // É
                    ClassCase{DiscretionaryHyphen, false, false, false, false, 0x1F, 0x1F},
                    ClassCase{0xFF, false, false, false, false, 0xFF, 0xFF}));

TEST(CharClassesTest, ExactlyTheLettersOfThePolishAlphabet) {
    int upper = 0, lower = 0, polish = 0;
    for (int c = 0; c < 256; ++c) {
        upper += IsUpper(static_cast<uint8_t>(c));
        lower += IsLower(static_cast<uint8_t>(c));
        polish += IsPolishLetter(static_cast<uint8_t>(c));
        EXPECT_FALSE(IsUpper(static_cast<uint8_t>(c)) && IsLower(static_cast<uint8_t>(c)));
    }
    EXPECT_EQ(upper, 35);
    EXPECT_EQ(lower, 35);
    EXPECT_EQ(polish, 18);
}

TEST(CharClassesTest, InPlaceFormsStopAtNulAndAcceptNull) {
    char text[] = "Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\0ja";  // "Zażółć gęśl" NUL "ja"
    ToUpperInPlace(text);
    EXPECT_EQ(std::string(text), "ZA\xAF\xD3\xA3\xC6 G\xCA\x8CL");
    EXPECT_EQ(text[12], 'j');  // past the NUL: untouched
    ToLowerInPlace(text);
    EXPECT_EQ(std::string(text), "za\xBF\xF3\xB3\xE6 g\xEA\x9Cl");
    ToUpperInPlace(static_cast<char*>(nullptr));
    ToLowerInPlace(static_cast<char*>(nullptr));

    std::string whole("\xB9\0\xB9", 3);
    ToUpperInPlace(whole);
    EXPECT_EQ(whole, std::string("\xA5\0\xA5", 3));
}

}  // namespace
}  // namespace tarnik
