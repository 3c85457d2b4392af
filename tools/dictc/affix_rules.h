// The affix file of a hunspell dictionary, as far as this compiler reads it.
//
// Only the directives that a dictionary of plain inflection needs are known:
// SET (the encoding), PFX and SFX, and the suggestion hints TRY, REP and MAP,
// which change no word's spelling; of the hints, the REP pairs are kept (the
// suggestions use them) and the others passed over. Anything else (compounding, long flags,
// forbidden words, ...) would change which words are correct in ways the main dictionary cannot
// store, so it is refused with a message naming the line rather than guessed at. Flags are single
// bytes of the file, as hunspell reads them by default.
#pragma once

#include <istream>
#include <map>
#include <string>
#include <vector>

namespace tarnik::tools {

// One position of an affix condition: a set of characters, or its complement
// ("[^...]"), or any character (".").
struct ConditionPosition {
    std::u32string characters;
    bool negated = false;
    bool any = false;

    bool Matches(char32_t c) const;
};

struct AffixRule {
    std::u32string strip;
    std::u32string append;
    std::vector<ConditionPosition> condition;
};

struct AffixClass {
    bool prefix = false;
    bool crossProduct = false;
    std::vector<AffixRule> rules;
};

// A REP pair: letters often written for others ("rz" for "ż"); an underscore
// stands for a space between two words.
struct Replacement {
    std::u32string from;
    std::u32string to;
};

struct AffixRules {
    std::string encoding = "ISO8859-1";  // hunspell's default without SET
    std::map<unsigned char, AffixClass> classes;
    std::vector<Replacement> replacements;  // in the file's order
};

// Reads an affix file. Throws std::runtime_error naming the line for an unknown
// directive, a malformed rule, a flag defined twice or an encoding that cannot
// be decoded.
AffixRules ReadAffixRules(std::istream& in);

// Whether the condition of `rule` holds at the end (suffixes) or the start
// (prefixes) of `word`.
bool ConditionHolds(const AffixRule& rule, bool prefix, const std::u32string& word);

}  // namespace tarnik::tools
