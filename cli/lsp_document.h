// A document the editor has open, as the language server keeps it: its lines,
// the prose the markup layer leaves of each, and the findings of each line,
// so that an edit re-checks only the lines it touched.
//
// Places are a line and a byte offset in it; the protocol's characters are
// UTF-16 code units (or bytes, when the client chose UTF-8), converted at the
// edges.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/lsp_markup.h"

namespace tarnik::cli {

struct LspFinding {
    std::size_t start = 0;     // bytes into its line
    std::size_t endLine = 0;   // the line it ends on, counted from its own
    std::size_t end = 0;       // bytes into that line
    std::string text = {};     // a misspelt word, or a correction's replacement
    std::string rule = {};     // the typography rule of a correction
    std::string message = {};  // why a quotation mark was left
    std::string tail = {};     // its diagnostic's JSON after the range
    // Its diagnostic as last published, on the line `publishedLine`: most
    // stay where they were from one publication to the next.
    std::string published = {};
    std::size_t publishedLine = SIZE_MAX;
};

struct LspLine {
    std::string text = {};  // without its line end
    std::string end = {};   // "\n", "\r\n", "\r", or "" on the last line
    std::u16string prose = {};
    std::vector<LspFinding> spelling = {};
    std::vector<LspFinding> typography = {};
    bool changed = true;  // its prose must be read again
    bool spellingDue = true;
    bool typographyDue = true;
};

struct LspPlace {
    std::size_t line = 0;
    std::size_t byte = 0;
};

class LspDocument {
  public:
    LspDocument(std::string_view text, TextFormat format, int64_t version);

    // The whole text anew.
    void Replace(std::string_view text);
    // [from, to) replaced by `text`.
    void Edit(LspPlace from, LspPlace to, std::string_view text);

    // The place of the protocol's position, in UTF-16 units or bytes: a line
    // past the end is the document's end, a character past the line's end its
    // end, one inside a character that character's start.
    LspPlace PlaceOf(int64_t line, int64_t character, bool utf8) const;

    // Reads again the prose of the lines whose text or markup changed, and
    // marks those whose prose changed as due for checking.
    void ReadProse();

    std::vector<LspLine>& Lines() { return lines_; }
    const std::vector<LspLine>& Lines() const { return lines_; }
    TextFormat Format() const { return format_; }

    int64_t version = 0;
    std::set<std::string> ignored;  // words the user ignores in this document

  private:
    std::vector<LspLine> lines_;
    TextFormat format_;
};

// Where each UTF-16 unit of `text` starts, in bytes (the second unit of a
// pair where the pair does), and the text's length after the last.
std::vector<std::size_t> UnitStarts(std::string_view text);

// The protocol's column of bytes of a line, counting from the last asked
// forward (columns asked in order cost one walk over the line).
class ColumnCounter {
  public:
    ColumnCounter(std::string_view line, bool utf8) : line_(line), utf8_(utf8) {}
    int64_t Column(std::size_t byte);

  private:
    std::string_view line_;
    bool utf8_;
    std::size_t byte_ = 0;
    int64_t units_ = 0;
};

}  // namespace tarnik::cli
