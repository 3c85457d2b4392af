// The word check: whether one word (cp1250) is spelled correctly.
//
// A word is correct when it is a main-dictionary stem followed by an ending of
// the stem's class, or stands in a special list or an open user dictionary in
// the form its capitalisation requires:
//   - small words ("kot") are looked up as they are;
//   - capitalised words ("Kot", "Warszawa") also in the capitalised lookup;
//   - all-capitals words ("KOT", "PKP") also capitalised and in capitals, and
//     in any case form an open user dictionary holds ("MCDONALD" for
//     "McDonald", "GHZ" for "GHz");
//   - mixed words ("McDonald", "GHz") only in the user dictionaries, exactly as
//     written.
// A word with hyphens that is not correct as a whole is correct when it splits
// at hyphens into correct words, each with its own capitals ("biało-czerwony",
// "Bielsko-Biała", "SMS-a", "e-mail-owy"); hyphens at its start or end are
// checked without them ("dwu-"), and a run of hyphens inside splits like one.
// The dictionary holds no compounds and leaves them to this check of their
// parts. A word is cut at its first character outside the alphabet: "abc1" is
// checked as "abc", "PKP1" as "PKP" (its case is that of the letters checked),
// and "1abc" is not correct. Letters of cp1250 outside the Polish alphabet (é,
// ü, ř ...) belong to the word, which only a user dictionary can then hold
// ("Müller"); a word with a letter that cp1250 lacks (kUnheldLetter) is never
// correct. The empty word is correct. A word whose letters before that cut run
// past 278 (the check's 279-byte copy with its end mark) is not correct: it is
// never cut into a shorter word that could pass.
#pragma once

#include <cstdint>
#include <string_view>

#include "speller/letter_code.h"

namespace tarnik {

enum class CasePattern : uint8_t { kMixed = 0, kCapitalised = 1, kAllCapitals = 2, kSmall = 3 };

// The case pattern of a cp1250 word: its capitals are the letters the letter
// code translates to 44-78; everything else counts as other characters.
CasePattern WordCasePattern(std::string_view word);

// 1 when `word` is correct, else 0.
int16_t SpellerCheckWord(std::string_view word);

// The same check for a word followed by a full stop: the abbreviation lists are
// consulted as well.
int16_t SpellerCheckWordBeforeStop(std::string_view word);

// The two lookups the check (and the suggestions) are made of. Small-letter:
// the always-accepted lists, then the abbreviation lists when
// `withAbbreviations`, every open user dictionary (exact form), the main
// dictionary. Capitalised: the capitals lists and every open user dictionary.
bool SmallLetterLookup(LetterWord word, bool withAbbreviations = false);
bool CapitalisedLookup(LetterWord word);

// How many small-letter and capitalised lookups the process has made. A search
// for suggestions takes a step of its work for each one (suggestion_work.h); its
// tests and fuzzing harness hold the two counts against each other.
uint64_t SpellerLookupCount();

}  // namespace tarnik
