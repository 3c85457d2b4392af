// Letters often written for others ("rz" for "ż", "ci" for "ć"): the bundled
// list "replacements.txt" beside the main dictionary, compiled by the dictionary
// compiler (tarnik-dictc --replacements-out) from the REP pairs of the source
// dictionary's affix file. The ranked suggestions try each pair at every place
// of a misspelt word, and a pair costs less than an ordinary edit there.
//
// File: UTF-8 text, one pair a line as "FROM TO" (the letters written, one
// space, the letters meant; an underscore stands for a space between two
// words); empty lines and lines that start with '#' are comments. A line
// without this form, or with a character cp1250 lacks or a capital, is skipped.
// The file ends in the checksum trailer (files/checksum_trailer.h) that the
// compiler writes; it is required, and a file without it or whose trailer does
// not match is refused (no pairs: suggestions go on without them, and the
// services warn naming the file).
// The list is read when first asked for after the main dictionary opened, from
// the main dictionary's folder; no file gives no pairs.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnik {

inline constexpr char kReplacementsName[] = "replacements.txt";

// One pair in small cp1250 letters; `to` may hold a space.
struct ReplacementPair {
    std::string from;
    std::string to;
};

// The pairs of a list (the file's text), in its order.
std::vector<ReplacementPair> ParseReplacements(std::string_view text);

// The file's text for pairs given in UTF-8 (an underscore for a space), its
// checksum trailer last.
std::string ReplacementsFileText(const std::vector<std::pair<std::string, std::string>>& pairs);

// The pairs of the list beside the open main dictionary; none when there is no
// list or no dictionary open.
const std::vector<ReplacementPair>& BundledReplacements();

}  // namespace tarnik
