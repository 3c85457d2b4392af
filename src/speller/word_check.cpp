#include "speller/word_check.h"

#include <array>
#include <vector>

#include "speller/main_dictionary.h"
#include "speller/user_dictionary.h"

namespace tarnik {

namespace {

// The lookups made so far, for SpellerLookupCount.
struct LookupStatistics {
    uint64_t count = 0;
};

LookupStatistics& Statistics() {
    static LookupStatistics statistics;
    return statistics;
}

bool IsCapitalByte(char byte) {
    return IsCapitalCode(TextToWordCode(static_cast<uint8_t>(byte)));
}

// The documented check of one word as a whole.
int16_t CheckWhole(std::string_view word, bool beforeStop) {
    if (word.empty())
        return 1;
    size_t count = WordLetterCount(word);
    // The case of the letters checked: a digit after them makes no word mixed,
    // so PKP1 is checked as PKP is.
    CasePattern pattern = WordCasePattern(word.substr(0, count));
    if (count == 0 || count > kMaxWordLetters || StopsAtUnheldLetter(word))
        return 0;

    std::array<uint8_t, kMaxWordLetters + 1> codes;
    LetterWord form(codes.data(), count + 1);
    codes[count] = kEndMark;
    if (pattern == CasePattern::kMixed) {
        for (size_t i = 0; i < count; ++i)
            codes[i] = TextToWordCode(static_cast<uint8_t>(word[i]));
        return AnyUserDictContains(form) ? 1 : 0;
    }
    for (size_t i = 0; i < count; ++i)
        codes[i] = TextToSmallWordCode(static_cast<uint8_t>(word[i]));
    if (SmallLetterLookup(form, beforeStop))
        return 1;
    if (pattern == CasePattern::kSmall)
        return 0;
    codes[0] = ToCapitalCode(codes[0]);
    if (CapitalisedLookup(form))
        return 1;
    if (pattern == CasePattern::kCapitalised)
        return 0;
    for (size_t i = 1; i < count; ++i)
        codes[i] = ToCapitalCode(codes[i]);
    if (CapitalisedLookup(form))
        return 1;
    // A word in capitals may stand for any case form a user dictionary holds
    // (MCDONALD for McDonald, GHZ for GHz), as it does for the main dictionary's.
    for (size_t i = 0; i < count; ++i)
        codes[i] = ToSmallCode(codes[i]);
    return UserDictCaseForms(form).empty() ? 0 : 1;
}

// A word with hyphens that the whole check refuses: the source dictionary holds
// no compounds and leaves them to a check of their parts, so it is correct when
// it splits at hyphens into correct words (biało-czerwony, each part with its
// own capitals: Bielsko-Biała, SMS-a; a part may hold a hyphen itself:
// e-mail-owy). Hyphens at either end (dwu-, a dash typed as hyphens after a
// word) are checked without them, and a run of hyphens inside (a dash typed as
// "--") splits like one.
int16_t CheckParts(std::string_view word, bool beforeStop) {
    std::string_view letters = word.substr(0, WordLetterCount(word));
    if (letters.find('-') == std::string_view::npos || StopsAtUnheldLetter(word))
        return 0;
    size_t first = letters.find_first_not_of('-');
    if (first == std::string_view::npos)
        return 0;
    letters = letters.substr(first, letters.find_last_not_of('-') + 1 - first);
    // The parts' bounds: part i runs from starts[i] to ends[i].
    std::vector<size_t> starts{0}, ends;
    for (size_t at = letters.find('-'); at != std::string_view::npos;
         at = letters.find('-', starts.back())) {
        ends.push_back(at);
        starts.push_back(letters.find_first_not_of('-', at));
    }
    ends.push_back(letters.size());
    constexpr size_t kMaxParts = 32;  // bounds the quadratic number of checks
    size_t n = starts.size();
    if (n > kMaxParts)
        return 0;
    // covered[i]: parts i to the last split into correct words.
    std::vector<bool> covered(n + 1, false);
    covered[n] = true;
    for (size_t i = n; i-- > 0;) {
        for (size_t j = i; j < n && !covered[i]; ++j) {
            std::string_view run = letters.substr(starts[i], ends[j] - starts[i]);
            covered[i] = covered[j + 1] && CheckWhole(run, beforeStop && j + 1 == n) == 1;
        }
    }
    return covered[0] ? 1 : 0;
}

int16_t Check(std::string_view word, bool beforeStop) {
    return CheckWhole(word, beforeStop) == 1 ? 1 : CheckParts(word, beforeStop);
}

}  // namespace

CasePattern WordCasePattern(std::string_view word) {
    if (word.empty())
        return CasePattern::kSmall;
    bool firstCapital = IsCapitalByte(word[0]);
    if (word.size() == 1)
        return firstCapital ? CasePattern::kAllCapitals : CasePattern::kSmall;
    bool restHasCapital = false;
    bool restHasOther = false;
    for (char byte : word.substr(1))
        (IsCapitalByte(byte) ? restHasCapital : restHasOther) = true;
    if (!firstCapital)
        return restHasCapital ? CasePattern::kMixed : CasePattern::kSmall;
    if (!restHasCapital)
        return CasePattern::kCapitalised;
    return restHasOther ? CasePattern::kMixed : CasePattern::kAllCapitals;
}

int16_t SpellerCheckWord(std::string_view word) {
    return Check(word, false);
}

int16_t SpellerCheckWordBeforeStop(std::string_view word) {
    return Check(word, true);
}

bool SmallLetterLookup(LetterWord word, bool withAbbreviations) {
    ++Statistics().count;
    return SpecialListContains(SpecialList::kAlwaysAccepted, word) ||
           (withAbbreviations && SpecialListContains(SpecialList::kAbbreviations, word)) ||
           AnyUserDictContains(word) || MainDictionaryContains(word);
}

bool CapitalisedLookup(LetterWord word) {
    ++Statistics().count;
    return SpecialListContains(SpecialList::kCapitals, word) || AnyUserDictContains(word);
}

uint64_t SpellerLookupCount() {
    return Statistics().count;
}

}  // namespace tarnik
