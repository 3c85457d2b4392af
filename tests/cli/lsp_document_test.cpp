// The language server's documents: edits and the protocol's positions.
#include "cli/lsp_document.h"

#include <gtest/gtest.h>

namespace tarnik::cli {
namespace {

std::string Joined(const LspDocument& document) {
    std::string text;
    for (const LspLine& line : document.Lines())
        text += line.text + line.end;
    return text;
}

TEST(LspDocument, EditsKeepLinesAndTheirEnds) {
    struct Case {
        const char* text;
        LspPlace from;
        LspPlace to;
        const char* inserted;
        const char* expected;
        size_t lines;
    };
    const Case cases[] = {
        {"ab\ncd", {0, 1}, {0, 1}, "x", "axb\ncd", 2},
        {"ab\ncd", {0, 1}, {1, 1}, "", "ad", 1},
        {"ab\ncd", {1, 0}, {1, 0}, "1\n2\n", "ab\n1\n2\ncd", 4},
        {"ab\r\ncd\r\n", {1, 2}, {2, 0}, "", "ab\r\ncd", 2},
        // A "\r" and a "\n" that meet make one line end.
        {"ab\r", {1, 0}, {1, 0}, "\ncd", "ab\r\ncd", 2},
        {"ab\rcd", {0, 2}, {0, 2}, "\n", "ab\n\rcd", 3},
        // A range given backwards is the same range.
        {"abcd", {0, 3}, {0, 1}, "-", "a-d", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        LspDocument document(c.text, TextFormat::kPlain, 1);
        document.Edit(c.from, c.to, c.inserted);
        EXPECT_EQ(Joined(document), c.expected);
        EXPECT_EQ(document.Lines().size(), c.lines);
    }
}

TEST(LspDocument, PlacesAreClampedToTheText) {
    LspDocument document("a😀b\nżółw", TextFormat::kPlain, 1);
    struct Case {
        int64_t line;
        int64_t character;
        bool utf8;
        size_t expectedLine;
        size_t expectedByte;
    };
    const Case cases[] = {
        {0, 1, false, 0, 1}, {0, 2, false, 0, 1},  // inside the pair: its start
        {0, 3, false, 0, 5}, {0, 4, false, 0, 6},  {0, 99, false, 0, 6},
        {1, 2, false, 1, 4}, {1, 3, true, 1, 2},  // inside ó
        {9, 0, false, 1, 7}, {-1, 5, false, 0, 0}, {0, -3, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.line << ":" << c.character << " utf8 " << c.utf8);
        LspPlace place = document.PlaceOf(c.line, c.character, c.utf8);
        EXPECT_EQ(place.line, c.expectedLine);
        EXPECT_EQ(place.byte, c.expectedByte);
    }
    EXPECT_EQ(UnitStarts("a😀ż\xff"), (std::vector<size_t>{0, 1, 1, 5, 7, 8}));
    ColumnCounter counter("a😀bż", false);
    EXPECT_EQ(counter.Column(5), 3);
    EXPECT_EQ(counter.Column(1), 1);
    EXPECT_EQ(counter.Column(8), 5);
}

}  // namespace
}  // namespace tarnik::cli
