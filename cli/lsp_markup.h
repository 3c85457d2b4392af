// What of an editor's document is prose: the language server reads a
// document's lines through the markup layer the file commands use, chosen by
// the document's languageId.
#pragma once

#include <string>
#include <string_view>

#include "markup/text_filter.h"

namespace tarnik::cli {

using MarkupFilter = markup::TextFilter;
using markup::TextFormat;

// The markup of a languageId: "latex" and "tex" are TeX, "html" and "xml"
// HTML, "markdown" Markdown, "plaintext" and anything else plain text.
TextFormat FormatOfLanguage(std::string_view languageId);

// The prose of one line (UTF-8, without its line end) in the engines' internal
// code, one code per UTF-16 unit of the line, each character of markup and of
// an address a space; `filter` carries the markup's state from line to line.
std::u16string ProseOfLine(MarkupFilter& filter, std::string_view line);

}  // namespace tarnik::cli
