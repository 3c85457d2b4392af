// The word forms of a hunspell dictionary entry, generated as hunspell accepts
// them.
//
// A suffix rule applies when the root ends with its strip, is longer than it,
// and meets its condition; a prefix rule likewise at the start. A prefix that
// allows cross products also applies to every suffixed form whose suffix allows
// them, its condition then tested on that suffixed form.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "tools/dictc/affix_rules.h"

namespace tarnik::tools {

struct WordEntry {
    std::u32string root;
    std::string flags;
};

// Reads a word list: a first line with the entry count, then "root/flags" per
// line (anything after a tab or space, such as morphological fields, is ignored).
// Throws std::runtime_error for text that is not in the encoding.
std::vector<WordEntry> ReadWordList(std::istream& in, const std::string& encoding);

// The forms of one entry in groups that share a beginning: the root with its
// suffixed forms first, then one group per prefix rule that applies. Flags that
// name no affix class are ignored, as hunspell ignores them.
std::vector<std::vector<std::u32string>> ExpandEntry(const AffixRules& rules,
                                                     const WordEntry& entry);

}  // namespace tarnik::tools
