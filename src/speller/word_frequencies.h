// How often words occur in Polish prose, for ranking suggestions: the bundled
// list "frequency.txt" beside the main dictionary.
//
// File: UTF-8 text, one word a line as "COUNT WORD" (a decimal count, one
// space, the word in small letters); empty lines and lines that start with '#'
// are comments. A line that does not have this form, a word that cp1250 cannot
// hold and a count beyond 2^32 - 1 are skipped; a later line for the same word
// replaces the earlier one. The file ends in the checksum trailer
// (files/checksum_trailer.h) that tarnik-freq writes; it is required, and a
// file without it or whose trailer does not match is refused (the services warn
// naming it). The list is read when a frequency is first asked for after the
// main dictionary opened, from the main dictionary's folder; no file, or one
// that cannot be read or is refused, gives every word the count 0.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarnik {

inline constexpr char kWordFrequenciesName[] = "frequency.txt";

// The counts of a list's words, keyed by the word in small cp1250 letters.
using WordCounts = std::unordered_map<std::string, uint32_t>;

// Reads the counts of a list (the file's text).
WordCounts ParseWordFrequencies(std::string_view text);

// How often `word` (cp1250, any capitals) occurs in the bundled list of the open
// main dictionary; 0 when the list has no such word or there is no list.
uint32_t WordFrequency(std::string_view word);

}  // namespace tarnik
