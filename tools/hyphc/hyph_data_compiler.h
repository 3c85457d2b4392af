// Compiling a hyphenation data file ("PLHYPH.DAT") from patterns and word lists.
//
// The result is a resource container with the "HYPd" resources 100 (trie), 101
// (outputs), 102 (input map), 103 (built-in exceptions), 104 (seed of a new user
// list) and 105 (output map), in that order and without a data area. The same
// input always gives the same bytes.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace tarnik::tools {

struct CompiledHyphData {
    std::vector<uint8_t> container;
    std::vector<std::string> warnings;
};

// `patterns` is a pattern file (see pattern_file.h). `exceptions` and `seed`,
// when given, hold one hyphenated word per line in UTF-8 ("ko-tek"); blank lines
// and lines starting with '%' or '#' are skipped. A word listed twice keeps its
// first breaks (a warning says so). Throws std::runtime_error naming the source
// and line when an input cannot be used.
CompiledHyphData CompileHyphData(std::istream& patterns, std::istream* exceptions = nullptr,
                                 std::istream* seed = nullptr);

}  // namespace tarnik::tools
