// Reading text in lines and bounded pieces.
#include "cli/text_input.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace tarnik::cli {
namespace {

struct Piece {
    std::string text;
    bool lineEnds;
    bool operator==(const Piece& other) const = default;
};

// A file of the test's own. Named per process: the cases run side by side under ctest.
std::string TempFile(const std::string& content) {
    std::string path =
        ::testing::TempDir() + "/text_input_test-" + std::to_string(getpid()) + ".txt";
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::vector<Piece> Pieces(const std::string& content) {
    std::string path = TempFile(content);
    TextInput input;
    std::string error;
    EXPECT_TRUE(input.Open(path, error)) << error;
    std::vector<Piece> pieces;
    std::string_view piece;
    bool lineEnds = false;
    while (input.NextPiece(piece, lineEnds))
        pieces.push_back({std::string(piece), lineEnds});
    EXPECT_EQ(input.Error(), "");
    std::remove(path.c_str());
    return pieces;
}

TEST(TextInputTest, LinesWithAnyLineEnd) {
    EXPECT_EQ(Pieces("a\nb\r\n\nc"),
              (std::vector<Piece>{{"a", true}, {"b", true}, {"", true}, {"c", true}}));
    EXPECT_EQ(Pieces(""), std::vector<Piece>{});
}

TEST(TextInputTest, LongLinesComeInPiecesCutAfterASpace) {
    std::string word(1000, 'x');
    std::string line;
    while (line.size() < 3 * kMaxPiece)
        line += word + " ";
    std::vector<Piece> pieces = Pieces(line + "\nkoniec\n");
    ASSERT_GE(pieces.size(), 4u);
    std::string joined;
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
        EXPECT_LE(pieces[i].text.size(), kMaxPiece);
        EXPECT_EQ(pieces[i].text.back(), ' ');  // no word is cut
        EXPECT_EQ(pieces[i].lineEnds, i + 2 == pieces.size());
        joined += pieces[i].text;
    }
    EXPECT_EQ(joined, line);
    EXPECT_EQ(pieces.back(), (Piece{"koniec", true}));
}

TEST(TextInputTest, ALineWithoutSpacesIsCutBetweenCharacters) {
    std::string line;
    while (line.size() < 2 * kMaxPiece + 5)
        line += "ż";  // two bytes each; the cut must fall between them
    line += "x";
    std::vector<Piece> pieces = Pieces(line);
    std::string joined;
    for (const Piece& piece : pieces) {
        EXPECT_EQ(static_cast<unsigned char>(piece.text[0]) & 0xC0, 0xC0u);
        joined += piece.text;
    }
    EXPECT_EQ(joined, line);
}

TEST(TextInputTest, AFileThatCannotBeOpenedGivesTheReason) {
    TextInput input;
    std::string error;
    EXPECT_FALSE(input.Open("/nonexistent/file.txt", error));
    EXPECT_EQ(error, "No such file or directory");
}

// The text of a file as NextBlock hands it out, and the reason it stopped.
std::pair<std::string, std::string> Blocks(const std::string& content, TextEncoding encoding) {
    std::string path = TempFile(content);
    TextInput input(encoding);
    std::string error;
    EXPECT_TRUE(input.Open(path, error)) << error;
    std::string text;
    std::string_view block;
    while (input.NextBlock(block))
        text += block;
    std::remove(path.c_str());
    return {text, input.Error()};
}

TEST(TextInputTest, ACharacterCutByTheEndOfAReadIsWhole) {
    // Reads take 64 KiB: "ż" lies across each of the first few of their ends.
    std::string text = "a";
    while (text.size() < 300 * 1024)
        text += "ż";
    EXPECT_EQ(Blocks(text, TextEncoding::kUtf8), std::make_pair(text, std::string()));
}

TEST(TextInputTest, ABadByteIsReportedAtItsOffsetInTheWholeInput) {
    const std::string head(200 * 1024 + 7, 'a');
    EXPECT_EQ(Blocks(head + "\xB1z", TextEncoding::kUtf8).second,
              "not UTF-8 text (bad byte at offset 204807)");
    // A sequence cut short by the end of the input.
    EXPECT_EQ(Blocks(head + "\xC5", TextEncoding::kUtf8).second,
              "not UTF-8 text (bad byte at offset 204807)");
    EXPECT_EQ(Blocks(head + "\x98", TextEncoding::kWindows1250).second,
              "not Windows-1250 text (bad byte at offset 204807)");
}

TEST(TextInputTest, LegacyEncodingsComeOutAsUtf8) {
    // "Zażółć gęślą jaźń" and quotation marks, each in its own code page.
    EXPECT_EQ(Blocks("Za\xBF\xF3\xB3\xE6 g\xEA\xB6l\xB1 ja\xBC\xF1", TextEncoding::kIso88592),
              std::make_pair(std::string("Zażółć gęślą jaźń"), std::string()));
    EXPECT_EQ(Blocks("Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1 \x84x\x94 \x96",
                     TextEncoding::kWindows1250),
              std::make_pair(std::string("Zażółć gęślą jaźń „x” –"), std::string()));
    // Every line of a long text, in pieces.
    std::string line(1000, '\xB1');
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += line + "\n";
    std::string path = TempFile(text);
    TextInput input(TextEncoding::kIso88592);
    std::string error;
    ASSERT_TRUE(input.Open(path, error)) << error;
    std::string_view piece;
    bool lineEnds = false;
    int lines = 0;
    std::string expected;
    for (int i = 0; i < 1000; ++i)
        expected += "ą";
    while (input.NextPiece(piece, lineEnds)) {
        EXPECT_EQ(piece, expected);
        ++lines;
    }
    EXPECT_EQ(lines, 300);
    EXPECT_EQ(input.Error(), "");
    std::remove(path.c_str());
}

// UTF-16 with its byte-order mark is read; without it, its NUL bytes are
// refused instead of being read as letters with NULs between them.
struct Utf16Case {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    std::string text;
    std::string error;
};

std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

class TextInputUtf16 : public ::testing::TestWithParam<Utf16Case> {};

TEST_P(TextInputUtf16, IsReadWithItsMarkAndRefusedWithout) {
    EXPECT_EQ(Blocks(GetParam().bytes, GetParam().encoding),
              std::make_pair(GetParam().text, GetParam().error));
}

const std::string kNulError =
    "not text (a NUL byte at offset 1; UTF-16 is read only when it starts with its "
    "byte-order mark)";

INSTANTIATE_TEST_SUITE_P(
    Cases, TextInputUtf16,
    ::testing::Values(
        Utf16Case{"LittleEndianWithMark", Utf16(u"\uFEFFKsiążka leży\n", false),
                  TextEncoding::kUtf8, "Książka leży\n", ""},
        Utf16Case{"BigEndianWithMark", Utf16(u"\uFEFFżółw \U0001F600", true), TextEncoding::kUtf8,
                  "żółw \U0001F600", ""},
        // Long enough that reads end inside characters.
        Utf16Case{"LongWithMark", Utf16(u"\uFEFF" + std::u16string(100000, u'ż'), false),
                  TextEncoding::kUtf8,
                  [] {
                      std::string text;
                      for (int i = 0; i < 100000; ++i)
                          text += "ż";
                      return text;
                  }(),
                  ""},
        Utf16Case{"WithoutMark", Utf16(u"Ala ma kota", false), TextEncoding::kUtf8, "", kNulError},
        Utf16Case{"WithoutMarkAsWindows1250", Utf16(u"Ala", false), TextEncoding::kWindows1250, "",
                  kNulError},
        Utf16Case{"CutInHalf", Utf16(u"\uFEFFAla", false) + "x", TextEncoding::kUtf8, "Ala",
                  "not UTF-16LE text (bad byte at offset 8)"}),
    [](const ::testing::TestParamInfo<Utf16Case>& info) { return info.param.name; });

TEST(TextInputTest, EncodingsByTheirNames) {
    TextEncoding encoding = TextEncoding::kUtf8;
    EXPECT_TRUE(TextEncodingFromName("ISO-8859-2", encoding));
    EXPECT_EQ(encoding, TextEncoding::kIso88592);
    EXPECT_TRUE(TextEncodingFromName("Windows-1250", encoding));
    EXPECT_EQ(encoding, TextEncoding::kWindows1250);
    EXPECT_TRUE(TextEncodingFromName("utf8", encoding));
    EXPECT_EQ(encoding, TextEncoding::kUtf8);
    EXPECT_FALSE(TextEncodingFromName("koi8-r", encoding));
}

}  // namespace
}  // namespace tarnik::cli
