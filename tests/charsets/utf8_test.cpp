#include "charsets/utf8.h"

#include <gtest/gtest.h>

namespace tarnik {
namespace {

struct DecodeCase {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

class Utf8DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8DecodeTest, Decodes) {
    EXPECT_EQ(Utf8ToUtf16(GetParam().utf8), GetParam().utf16);
}

// Each maximal malformed piece gives one U+FFFD and decoding goes on after it.
INSTANTIATE_TEST_SUITE_P(
    Inputs, Utf8DecodeTest,
    testing::Values(
        DecodeCase{"Empty", "", u""}, DecodeCase{"Ascii", "abc", u"abc"},
        DecodeCase{"Polish", "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", u"Za\u017C\u00F3\u0142\u0107"},
        DecodeCase{"EmbeddedNul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        DecodeCase{"SurrogatePair", "\xF0\x9F\x98\x80!", u"\xD83D\xDE00!"},
        DecodeCase{"HighestCharacter", "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
        DecodeCase{"StrayContinuation", "a\x80\x80z", u"a\xFFFD\xFFFDz"},
        DecodeCase{"CutAtEnd", "a\xE2\x82", u"a\xFFFD"},
        DecodeCase{"CutBeforeAscii", "\xC5z", u"\xFFFDz"},
        DecodeCase{"CutBeforeLead", "\xE2\x82\xC5\x82", u"\xFFFD\u0142"},
        DecodeCase{"OverlongSlash", "\xC0\xAF", u"\xFFFD\xFFFD"},
        DecodeCase{"OverlongThreeBytes", "\xE0\x80\xAF", u"\xFFFD\xFFFD\xFFFD"},
        DecodeCase{"EncodedSurrogate", "\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},
        DecodeCase{"PastLastCharacter", "\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
        DecodeCase{"InvalidLeads", "\xF5\xFF\xFE", u"\xFFFD\xFFFD\xFFFD"}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(Utf8Test, Utf16ToUtf8JoinsPairsAndReplacesLoneSurrogates) {
    EXPECT_EQ(Utf16ToUtf8(u"\u017C\xD83D\xDE00"), "\xC5\xBC\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(u"a\xD83D"
                          u"b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(Utf16ToUtf8(u"\xDE00\xD83D"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(u"\x7F\x80\x7FF\x800\xFFFF"),
              "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
}

TEST(Utf8Test, RoundTripOfEveryBmpCharacterAndSomeOthers) {
    std::u16string all;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c < 0xD800 || c > 0xDFFF)
            all.push_back(static_cast<char16_t>(c));
    }
    all += u"\xD800\xDC00\xDBFF\xDFFF";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(all)), all);
}

TEST(Utf8Test, ToInternalCodes) {
    // "Ż", soft hyphen, "ó", Cyrillic "ф", an emoji (two units), "ñ"
    EXPECT_EQ(Utf8ToInternal("\xC5\xBB\xC2\xAD\xC3\xB3\xD1\x84\xF0\x9F\x98\x80\xC3\xB1"),
              u"\u00AF\x1F\u00F3\u0444\xD83D\xDE00\xFDD0");  // ñ: a letter cp1250 lacks
}

TEST(Utf8Test, ToCp1250OneBytePerCharacter) {
    EXPECT_EQ(Utf8ToCp1250("g\xC4\x99\xC5\x9B\xC2\xAD"
                           "l \xE2\x80\x9E"
                           "a\xE2\x80\x9D"),
              "g\xEA\x9C\x1Fl \x84"
              "a\x94");
    EXPECT_EQ(Utf8ToCp1250("\xD1\x84\xF0\x9F\x98\x80\xC3\xB1\xFFx"), "????x");
}

TEST(Utf8Test, FromCp1250) {
    EXPECT_EQ(Cp1250ToUtf8("\xAF\xF3\xB3\xE6\x1F\x84"),
              "\xC5\xBB\xC3\xB3\xC5\x82\xC4\x87\xC2\xAD\xE2\x80\x9E");
    EXPECT_EQ(Cp1250ToUtf8("\x81x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8("\xAD")), "\x1F");
    // Every defined byte goes there and back, but the soft hyphen 0xAD comes back as 0x1F.
    const std::string_view skipped = "\x81\x83\x88\x90\x98\xAD";
    for (int byte = 0x20; byte < 256; ++byte) {
        std::string one(1, static_cast<char>(byte));
        if (skipped.find(one[0]) != std::string_view::npos)
            continue;
        EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(one)), one) << byte;
    }
}

}  // namespace
}  // namespace tarnik
