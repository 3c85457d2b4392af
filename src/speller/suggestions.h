// Suggestions for a misspelt word (cp1250).
//
// Candidates come from Polish orthographic and phonetic substitutions (rz/ż,
// ch/h, on/ą, ó/u, ... up to two in a row), transpositions, deletions, the word
// itself, substitutions and insertions of single letters. Every candidate that
// the small-letter or the capitalised lookup accepts is kept (the abbreviation
// lists are never consulted). The list comes back with the misspelt word's
// capitalisation, without repeats, in Polish alphabetical order, capitals
// counted as their small letters; of two words that differ only in capitals,
// the one with the small letter at the first difference comes first.
//
// The work form is the word cut at its first character outside the alphabet.
// A work form of more than 49 letters gets no suggestions: a suggestion holds
// at most 50 letters (one insertion into 49), and a shortened word would give
// suggestions for a different word. Candidates that would grow past 50 letters
// (two orthographic substitutions that each add a letter) are not tried.
//
// Every lookup of a candidate is a step of the request's work
// (suggestion_work.h): at its bound the search stops and the list holds what it
// found by then, in the same order.
#pragma once

#include <cstddef>
#include <string_view>

#include "speller/suggestion_work.h"

namespace tarnik {

constexpr size_t kMaxSuggestInputLetters = 49;
constexpr size_t kMaxSuggestionLetters = 50;

// A singly linked list of suggestions; the caller owns it and frees it with
// SpellerFreeSuggestions. The empty list is nullptr.
struct SuggestionNode {
    SuggestionNode* next;
    char word[kMaxSuggestionLetters + 1];  // cp1250, NUL-terminated
};
using SuggestionList = SuggestionNode*;

// Requires an open main dictionary (without one, only the user dictionaries
// can accept candidates).
SuggestionList SpellerSuggest(std::string_view word);

// The same within `work`, which may be shared with other searches of one request.
SuggestionList SpellerSuggest(std::string_view word, SuggestionWork& work);

void SpellerFreeSuggestions(SuggestionList list);

}  // namespace tarnik
