#include "charsets/polish_charset.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace tarnik {
namespace {

using Order = PolishCharset::Order;

constexpr int kBez = 0, kIso = 1, kWin = 2, kMac = 3;

struct ConversionCase {
    const char* name;
    int internal, external;
    std::string internalText, externalText;
};

class ConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, BothWays) {
    const ConversionCase& c = GetParam();
    PolishCharset charset(c.internal, c.external);
    EXPECT_EQ(charset.ToExternal(c.internalText), c.externalText);
    EXPECT_EQ(charset.ToInternal(c.externalText), c.internalText);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, ConversionTest,
    testing::Values(
        // Żółć
        ConversionCase{"MacToWin", kMac, kWin, "\xFB\x97\xB8\x8D", "\xAF\xF3\xB3\xE6"},
        ConversionCase{"WinToMac", kWin, kMac, "\xAF\xF3\xB3\xE6", "\xFB\x97\xB8\x8D"},
        ConversionCase{"IsoToWin", kIso, kWin, "\xB1\xB6\xBC\xA6\xAC", "\xB9\x9C\x9F\x8C\x8F"},
        // „Ą” – ok — typographic characters follow the set; ASCII stays.
        ConversionCase{"TypographicWinToMac", kWin, kMac, "\x84\xA5\x94 \x96 ok \x97",
                       "\xE3\x84\xD3 \xD0 ok \xD1"},
        ConversionCase{"TypographicWinToIso", kWin, kIso, "\x84\xA5\x94\x99", "\x84\xA1\x94\x99"},
        ConversionCase{"Unchanged", kWin, kWin, "\xB9\x84", "\xB9\x84"}),
    [](const testing::TestParamInfo<ConversionCase>& info) {
        return std::string(info.param.name);
    });

TEST(PolishCharsetTest, ExternalBezDropsDiacriticsAndKeepsTypography) {
    PolishCharset charset(kWin, kBez);
    EXPECT_EQ(charset.ToExternal(uint8_t{0xB9}), 'a');   // ą
    EXPECT_EQ(charset.ToExternal(uint8_t{0xBB}), 0xBB);  // »
    EXPECT_EQ(charset.ToExternal("\xA3\xF3\x64\x9F \xBF\xF3\xB3\x77"), "Lodz zolw");
    // Coming back from "bez" nothing can be restored, so nothing is touched.
    EXPECT_EQ(charset.ToInternal("Lodz zolw"), "Lodz zolw");
}

TEST(PolishCharsetTest, InternalBezCopiesOut) {
    PolishCharset charset(kBez, kWin);
    EXPECT_EQ(charset.ToExternal("zaba"), "zaba");
    EXPECT_EQ(charset.ToInternal("\xBF\x9F\xAF\x8F\xB9"), "zzZZa");  // ż ź Ż Ź ą
}

TEST(PolishCharsetTest, SetsOutOfRangeOrUnknownMeanBez) {
    PolishCharset byIndex(7, -3);
    EXPECT_EQ(byIndex.InternalSet(), kBez);
    EXPECT_EQ(byIndex.ExternalName(), "bez");
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(byIndex.ToExternal(static_cast<uint8_t>(c)), c);
        EXPECT_EQ(byIndex.ToInternal(static_cast<uint8_t>(c)), c);
    }
    PolishCharset byName("utf-8", "koi8-r");
    EXPECT_EQ(byName.InternalSet(), kBez);
    EXPECT_EQ(byName.ExternalSet(), kBez);
}

struct NameCase {
    std::string name;
    int set;
};

class FindSetTest : public testing::TestWithParam<NameCase> {};

TEST_P(FindSetTest, FirstSetNamedAnywhere) {
    EXPECT_EQ(PolishCharset::FindSet(GetParam().name), GetParam().set);
}

INSTANTIATE_TEST_SUITE_P(Names, FindSetTest,
                         testing::Values(NameCase{"WINDOWS-1250", kWin}, NameCase{"WIN", kWin},
                                         NameCase{"x-mac-ce", kMac}, NameCase{"ISO-8859-2", kIso},
                                         NameCase{"Bez", kBez}, NameCase{"mac-bez", kBez},
                                         NameCase{"utf-8", -1}, NameCase{"", -1},
                                         NameCase{std::string(300, 'x') + "Mac", kMac}));

TEST(PolishCharsetTest, ConstructsAndSetsByName) {
    PolishCharset charset("x-mac-ce", "Windows-1250");
    EXPECT_EQ(charset.InternalName(), "mac");
    EXPECT_EQ(charset.ExternalName(), "win");
    charset.SetExternal("ISO-8859-2");
    EXPECT_EQ(charset.ToExternal(uint8_t{0x88}), 0xB1);  // ą
    charset.SetInternal("win");
    EXPECT_EQ(charset.InternalSet(), kWin);
    EXPECT_EQ(charset.ToExternal(uint8_t{0xB9}), 0xB1);
    EXPECT_EQ(charset.Upper(0xB9), 0xA5);
}

TEST(PolishCharsetTest, ChangingTheInternalSetRebuildsClassesAndCaseMaps) {
    PolishCharset charset(kWin, kWin);
    EXPECT_EQ(charset.Flags(0xB9), PolishCharset::kPolishLetter);
    EXPECT_EQ(charset.Flags(0x84), PolishCharset::kTypographic);
    EXPECT_EQ(charset.Flags('a'), 0u);
    EXPECT_EQ(charset.Flags(0x88), 0u);
    charset.SetInternal(kMac);
    EXPECT_EQ(charset.Flags(0x88), PolishCharset::kPolishLetter);  // ą
    EXPECT_EQ(charset.Flags(0xB9), 0u);
    EXPECT_EQ(charset.Upper(0x88), 0x84);
    EXPECT_EQ(charset.Lower(0xFB), 0xFD);  // Ż
    EXPECT_EQ(charset.Upper(0xB9), 0xB9);

    int polish = 0, typographic = 0;
    for (int c = 0; c < 256; ++c) {
        polish += (charset.Flags(static_cast<uint8_t>(c)) & PolishCharset::kPolishLetter) != 0;
        typographic += (charset.Flags(static_cast<uint8_t>(c)) & PolishCharset::kTypographic) != 0;
    }
    EXPECT_EQ(polish, 18);
    EXPECT_EQ(typographic, 12);  // the closing double quote stands twice
}

TEST(PolishCharsetTest, InPlaceRuns) {
    PolishCharset charset(kWin, kMac);
    char text[] = "\xB9\0\xB9\xB9";
    charset.ToExternalInPlace(text);  // up to the NUL
    EXPECT_EQ(std::string(text, 4), std::string("\x88\0\xB9\xB9", 4));
    charset.ToExternalInPlace(text + 2, 1);  // exactly one byte, no NUL added
    EXPECT_EQ(std::string(text, 4), std::string("\x88\0\x88\xB9", 4));
    charset.ToInternalInPlace(text, 4);  // a counted run goes past NULs
    EXPECT_EQ(std::string(text, 4), std::string("\xB9\0\xB9\xB9", 4));
    charset.ToExternalInPlace(nullptr);
    charset.ToInternalInPlace(nullptr, 3);

    EXPECT_EQ(charset.ToExternal(std::string_view("\xB9\0\xB9", 3)), std::string("\x88\0\x88", 3));
    EXPECT_EQ(charset.ToExternal(""), "");

    char word[] = "\xAF\xF3\xB3\xE6 Go";
    charset.LowerInPlace(word);
    EXPECT_STREQ(word, "\xBF\xF3\xB3\xE6 go");
    charset.UpperInPlace(word);
    EXPECT_STREQ(word, "\xAF\xD3\xA3\xC6 GO");
    charset.UpperInPlace(nullptr);
}

struct RankCase {
    uint8_t c;
    uint8_t caseSensitive, caseInsensitive;
};

class RankTest : public testing::TestWithParam<RankCase> {};

TEST_P(RankTest, WinOrders) {
    PolishCharset charset(kWin, kWin);
    EXPECT_EQ(charset.Rank(GetParam().c, Order::CaseSensitive), GetParam().caseSensitive);
    EXPECT_EQ(charset.Rank(GetParam().c, Order::CaseInsensitive), GetParam().caseInsensitive);
}

INSTANTIATE_TEST_SUITE_P(Bytes, RankTest,
                         testing::Values(RankCase{0x00, 1, 0}, RankCase{' ', 33, 33},
                                         RankCase{'@', 65, 65}, RankCase{'[', 66, 66},
                                         RankCase{'`', 71, 71}, RankCase{'{', 72, 72},
                                         RankCase{0x7F, 76, 76}, RankCase{'A', 77, 77},
                                         RankCase{'a', 78, 77}, RankCase{0xA5, 79, 78},  // Ą
                                         RankCase{0xB9, 80, 78}, RankCase{'B', 81, 79},
                                         RankCase{0xA3, 107, 92},                            // Ł
                                         RankCase{'Z', 141, 109}, RankCase{0x9F, 144, 110},  // ź
                                         RankCase{0xBF, 146, 111},                           // ż
                                         RankCase{0x84, 0, 0}, RankCase{0xE1, 0, 0}));  // „ á

struct CompareCase {
    const char* a;
    const char* b;
    Order order;
    int maxLength;
    const char* ignore;
    int sign;
};

class CompareTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareTest, Sign) {
    const CompareCase& c = GetParam();
    PolishCharset charset(kWin, kWin);
    int result = charset.Compare(c.a, c.b, c.order, c.maxLength, c.ignore);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " / " << c.b;
}

constexpr Order kCs = Order::CaseSensitive;
constexpr Order kCi = Order::CaseInsensitive;

INSTANTIATE_TEST_SUITE_P(
    Words, CompareTest,
    testing::Values(CompareCase{"Ala", "ala", kCs, 65535, nullptr, -1},
                    CompareCase{"ala",
                                "\xB9"
                                "b",
                                kCs, 65535, nullptr, -1},  // ala < ąb
                    CompareCase{"Ala", "ala", kCi, 65535, nullptr, 0},
                    CompareCase{"\xBF"
                                "aba",
                                "zebra", kCi, 65535, nullptr, 1},  // żaba > zebra
                    CompareCase{"\xA3"
                                "ania",
                                "Lena", kCs, 65535, nullptr, 1},  // Łania > Lena
                    CompareCase{"kot", "kotek", kCs, 65535, nullptr, -1},
                    CompareCase{"kotek", "kot", kCi, 65535, nullptr, 1},
                    CompareCase{"kot", "kos", kCs, 2, nullptr, 0},
                    CompareCase{"kot", "pies", kCs, 0, nullptr, 0},
                    CompareCase{"kot", nullptr, kCs, 65535, nullptr, 0},
                    CompareCase{"p-o-l", "pol", kCs, 65535, "-", 0},
                    CompareCase{"pol--", "pol", kCs, 65535, "-", 0},
                    CompareCase{"p.ol", "p-ok", kCs, 65535, ".-", 1},
                    CompareCase{"pol", "pol", kCs, 65535, "", 0},
                    CompareCase{"a-b", "ab", kCs, 65535, nullptr, -1}));

// Past the end of a shorter string the walk stops even where both ranks are 0.
TEST(PolishCharsetTest, CompareStopsAtTheEndOfEitherString) {
    PolishCharset charset(kWin, kWin);
    auto a = std::make_unique<char[]>(2);
    std::strcpy(a.get(), "a");
    EXPECT_EQ(charset.Compare(a.get(), "a\x84\x84", Order::CaseInsensitive), 0);
    EXPECT_EQ(charset.Compare("a\x84\x84", a.get(), Order::CaseInsensitive), 0);
}

TEST(PolishCharsetTest, MacOrderFollowsTheAlphabet) {
    PolishCharset charset(kMac, kWin);
    EXPECT_LT(charset.Compare("a", "\x88", Order::CaseSensitive), 0);       // a < ą
    EXPECT_LT(charset.Compare("\x88", "b", Order::CaseSensitive), 0);       // ą < b
    EXPECT_EQ(charset.Compare("\x84", "\x88", Order::CaseInsensitive), 0);  // Ą = ą
    EXPECT_EQ(charset.Rank(0xFD, Order::CaseSensitive), 146);               // ż
}

}  // namespace
}  // namespace tarnik
