// What of a line is prose to be spell-checked, as the word finder reads it:
// the line's spans (markup.h) with markup left out — inline markup as nothing,
// so that <b>W</b>arszawa and Przed&shy;szkole stay one word, other markup as a
// space — escapes as the characters they stand for, and addresses (URLs,
// e-mail addresses, file paths) blanked unless they are to be checked. Each
// unit keeps the column of the character it comes from, so words are reported
// where they stand in the line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "markup/markup.h"

namespace tarnik::markup {

struct ProseLine {
    std::u16string units;          // the prose, UTF-16
    std::u16string codes;          // one internal code per unit (a soft hyphen as 0x1F)
    std::vector<int64_t> columns;  // per unit, its character's column; one more: the line's length
};

class TextFilter {
  public:
    explicit TextFilter(TextFormat format = TextFormat::kPlain, bool checkAddresses = false);

    // Switches to `format`, starting its markup afresh (as at the start of a text).
    void SetFormat(TextFormat format);
    TextFormat Format() const { return reader_.Format(); }

    // The prose of one whole line (with or without its line end).
    void Filter(std::string_view line, ProseLine& prose);

  private:
    void BlankAddresses(ProseLine& prose) const;

    Reader reader_;
    bool checkAddresses_;
    std::vector<Span> spans_;
};

}  // namespace tarnik::markup
