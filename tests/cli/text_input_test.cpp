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

std::vector<Piece> Pieces(const std::string& content) {
    // Named per process: the cases run side by side under ctest.
    std::string path =
        ::testing::TempDir() + "/text_input_test-" + std::to_string(getpid()) + ".txt";
    std::ofstream(path, std::ios::binary) << content;
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

}  // namespace
}  // namespace tarnik::cli
