// Suggestions in the order a writer most likely meant them.
//
// The candidates are SpellerSuggest's, plus those of a deeper search that it
// does not make: any number of missing Polish diacritics at once (dlugosc ->
// długość), ó/u, rz/ż and ch/h anywhere in the same word, and the word in
// capitals (Pkp -> PKP), and the forms the user dictionaries hold in other
// capitals (Ghz -> GHz). A word with hyphens of at most 100 letters also gets
// its faulty part's suggestions with the other parts kept (biało-czerwny ->
// biało-czerwony); a
// word with letters outside the Polish alphabet gets those of the same word on
// plain letters (José -> Jose), and a word with a letter that no cp1250 byte
// holds gets none.
//
// They are ordered by SuggestionScore, then alphabetically, and cut to the
// length a list can show. All the searches of one request share one bound of
// work (suggestion_work.h), the parts of a hyphenated word included.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "speller/suggestion_work.h"

namespace tarnik {

// What a list of suggestions shows at most.
constexpr size_t kMaxRankedSuggestions = 15;

// The ranked suggestions for `word` (cp1250), best first; requires an open main
// dictionary, as SpellerSuggest does.
std::vector<std::string> SpellerSuggestRanked(std::string_view word,
                                              size_t limit = kMaxRankedSuggestions);

// The same within `work`: at its bound the searches stop, and the candidates
// found by then are ranked.
std::vector<std::string> SpellerSuggestRanked(std::string_view word, size_t limit,
                                              SuggestionWork& work);

// The suggestions a user is shown: ranked, or with `ranked` false
// SpellerSuggest's whole list in alphabetical order.
std::vector<std::string> ShownSuggestions(std::string_view word, bool ranked);

// How far `candidate` lies from what was typed (both cp1250): a weighted edit
// distance in which a missing or wrong diacritic costs 0.12, ó/u, rz/ż and ch/h
// 0.3, two neighbours swapped 0.45, i/y, a doubled or dropped double letter and
// a pair of the source dictionary's replacements (replacements.h) 0.5, a key
// next to the intended one (QWERTY) 0.7, a letter left out 0.9, any other letter
// 1. A space between two words run together costs 0.6 after a short common word
// (at most four letters, seen at least 100 times in the word frequencies) before
// a word seen at all of at least three letters (na pewno), else 0.95 (gaz ty).
// Letters in the wrong case add 0.1 each, except a capital first letter where a
// small one was typed, which adds 0.6 for a name (capitalised: Kotta) and 0.35
// for another form (PKP, JavaScript).
double SuggestionDistance(std::string_view typed, std::string_view candidate);

// SuggestionDistance less a little for a word that occurs often in prose (the
// bundled word frequencies, word_frequencies.h): 0.025 for each doubling of
// its count, at most 0.25. Lower is likelier.
double SuggestionScore(std::string_view typed, std::string_view candidate);

}  // namespace tarnik
