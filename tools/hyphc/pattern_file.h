// Reading hyphenation pattern files.
//
// A pattern file is 8-bit text: its first line names the encoding (an iconv name
// such as "ISO8859-2"), each further line holds one Liang pattern, letters with
// inter-letter levels as digits and '.' at a word edge ("a2b1s", ".wsze1").
// Lines starting with '%' or '#', and blank ones, are skipped.
//
// Directives: the data file always keeps two letters on each side of a break (five
// after an opening "wszcz"), so LEFTHYPHENMIN and RIGHTHYPHENMIN are read and, when
// they ask for anything else, reported as warnings; COMPOUNDLEFTHYPHENMIN,
// COMPOUNDRIGHTHYPHENMIN and NOHYPHEN are reported as ignored. NEXTLEVEL (a second
// pattern set) and non-standard patterns ("ff1f/ff=f,1,2") cannot be stored and
// make the file unusable.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace tarnik::tools {

struct Pattern {
    std::vector<uint8_t> codes;   // letters and '.', in the file's encoding
    std::vector<uint8_t> levels;  // codes.size() + 1 levels; levels[i] stands before codes[i]
};

struct PatternFile {
    std::string encoding;
    std::vector<Pattern> patterns;  // in file order
    std::vector<std::string> warnings;
};

// Throws std::runtime_error naming the line when the file cannot be used.
PatternFile ReadPatternFile(std::istream& in);

}  // namespace tarnik::tools
