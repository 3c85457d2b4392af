#include "charsets/internal_code.h"

#include <gtest/gtest.h>

#include "charsets/char_classes.h"

namespace tarnik {
namespace {

struct UnitCase {
    char16_t unit;
    uint16_t code;
};

class StoryUnitTest : public testing::TestWithParam<UnitCase> {};

TEST_P(StoryUnitTest, ReadsAsTheEnginesSeeIt) {
    EXPECT_EQ(StoryUnitToInternal(GetParam().unit), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Units, StoryUnitTest,
                         testing::Values(UnitCase{u'a', 'a'}, UnitCase{0x00AD, DiscretionaryHyphen},
                                         UnitCase{0x0104, 0xA5},   // Ą
                                         UnitCase{0x201E, 0x84},   // „
                                         UnitCase{0x017C, 0xBF},   // ż
                                         UnitCase{0x00AC, 0xAC},   // ¬
                                         UnitCase{0x0430, 0x430},  // Cyrillic а keeps its value
                                         UnitCase{0x00F1, kNoInternalLetter},  // ñ is not ń (0xF1)
                                         UnitCase{0x00E0, kNoInternalLetter},  // à is not ŕ (0xE0)
                                         UnitCase{0x00BF, kNoInternalCode},  // ¿ is not ż (0xBF)
                                         // The control character is no discretionary hyphen.
                                         UnitCase{0x001F, kNoInternalCode},
                                         UnitCase{kNoUnicode, kNoUnicode},  // the marker is no byte
                                         UnitCase{0xD83D, 0xD83D}));        // half of a pair passes

TEST(InternalCodeTest, EveryDefinedByteGoesThereAndBack) {
    int undefined = 0;
    for (int byte = 0; byte < 256; ++byte) {
        char16_t unit = InternalToUnicode(static_cast<uint8_t>(byte));
        if (unit == kNoUnicode) {
            ++undefined;
            continue;
        }
        EXPECT_EQ(UnicodeToInternal(unit), byte) << byte;
    }
    EXPECT_EQ(undefined, 5);
    EXPECT_EQ(InternalToUnicode(uint8_t{0x81}), kNoUnicode);
    EXPECT_EQ(InternalToUnicode(uint8_t{0xAC}), u'\u00AC');
}

TEST(InternalCodeTest, StringForms) {
    EXPECT_EQ(UnicodeToInternal(std::u16string_view(u"\u017B\0\u0444", 3)),
              std::u16string(u"\u00AF\0\u0444", 3));
    const char bytes[] = "\xAF\xF3\xB3\0x";
    EXPECT_EQ(InternalToUnicode(bytes), u"\u017B\u00F3\u0142");
    EXPECT_EQ(InternalToUnicode(bytes, 5), std::u16string(u"\u017B\u00F3\u0142\0x", 5));
    EXPECT_EQ(InternalToUnicode(bytes, 0), u"");
    EXPECT_EQ(InternalToUnicode(nullptr), u"");
}

}  // namespace
}  // namespace tarnik
