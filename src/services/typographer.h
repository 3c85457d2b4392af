// Polish typographic correction as a front end uses it on a piece of text (an
// editor's paragraph, say): UTF-8 text in, the corrected text and each
// correction with its place and the rule that made it out, the options as a
// value.
//
// The typography engine works on a host story, so a Typographer works inside a
// plug-in that a file run started with the typography component
// (services/file_run.h): the story of the current text box is its workbench,
// its text replaced by every Correct. It owns the typography settings while it
// is open (the settings store holds its options and nothing else).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tarnik/error.h"

namespace tarnik::services {

struct TypographerOptions {
    // Rules turned on (true) or off by the names the command line gives them
    // ("quotes", "dashes", "after-words": kTypoRuleNames), in order; a rule
    // not named keeps its default.
    std::vector<std::pair<std::string, bool>> rules = {};
    int innerQuotes = 0;  // quotations inside quotations: 0 „ ”, 1 ’ ’, 2 « », 3 » «
    bool emDash = false;  // the dash between spaces is — rather than –
};

// A character the rules pass over as if it were not there, neither blank nor
// word nor punctuation: a front end puts it in place of each character of
// markup, so that "**tak**" is corrected as "tak" is and the markup is never
// touched.
inline constexpr char kTypoPassOver = '\x1e';

// One correction: the bytes [start, end) of the text become `replacement`. A
// quotation mark the rules cannot place is a finding without a change (the
// mark itself as the range, `replacement` the same mark) and a `message`.
struct TypoFinding {
    std::size_t start = 0;
    std::size_t end = 0;
    std::string replacement = {};
    std::string rule = {};     // the name of the rule, as in TypographerOptions
    std::string message = {};  // why a quotation mark was left
};

struct TypoCorrection {
    std::string text = {};  // the corrected text; a space bound to its neighbour is U+00A0
    std::vector<TypoFinding> findings = {};  // in the order of the text, never overlapping
};

class Typographer {
  public:
    // Takes the options: the rules' names must be known, the inner quotes 0 to
    // 3; otherwise the error, and the options in force stay.
    std::optional<Error> Open(const TypographerOptions& options);

    // Corrects `text` (UTF-8) as the plug-in corrects a text box holding it.
    TypoCorrection Correct(std::string_view text) const;
};

}  // namespace tarnik::services
