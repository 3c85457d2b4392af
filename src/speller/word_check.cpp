#include "speller/word_check.h"

#include <array>

#include "speller/main_dictionary.h"
#include "speller/user_dictionary.h"

namespace tarnik {

namespace {

bool IsCapitalByte(char byte) {
    return IsCapitalCode(TextToWordCode(static_cast<uint8_t>(byte)));
}

// The documented check of one word as a whole.
int16_t CheckWhole(std::string_view word, bool beforeStop) {
    if (word.empty())
        return 1;
    CasePattern pattern = WordCasePattern(word);
    size_t count = WordLetterCount(word);
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
    return CapitalisedLookup(form) ? 1 : 0;
}

// A word with hyphens that the whole check refuses: the source dictionary holds
// no compounds and leaves them to a check of their parts, so it is correct when
// each part is (each with its own capitals: Bielsko-Biała, SMS-a). Hyphens at
// either end (dwu-, a dash typed as hyphens after a word) are checked without
// them, and a run of hyphens inside (a dash typed as "--") parts two words.
int16_t CheckParts(std::string_view word, bool beforeStop) {
    std::string_view letters = word.substr(0, WordLetterCount(word));
    if (letters.find('-') == std::string_view::npos || StopsAtUnheldLetter(word))
        return 0;
    size_t first = letters.find_first_not_of('-');
    if (first == std::string_view::npos)
        return 0;
    letters = letters.substr(first, letters.find_last_not_of('-') + 1 - first);
    if (letters.find('-') == std::string_view::npos)
        return CheckWhole(letters, beforeStop);
    if (CheckWhole(letters, beforeStop) == 1)
        return 1;
    for (size_t start = 0;;) {
        size_t end = letters.find('-', start);
        bool last = end == std::string_view::npos;
        std::string_view part = letters.substr(start, last ? std::string_view::npos : end - start);
        if (CheckWhole(part, beforeStop && last) != 1)
            return 0;
        if (last)
            return 1;
        start = letters.find_first_not_of('-', end);
    }
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
    return SpecialListContains(SpecialList::kAlwaysAccepted, word) ||
           (withAbbreviations && SpecialListContains(SpecialList::kAbbreviations, word)) ||
           AnyUserDictContains(word) || MainDictionaryContains(word);
}

bool CapitalisedLookup(LetterWord word) {
    return SpecialListContains(SpecialList::kCapitals, word) || AnyUserDictContains(word);
}

}  // namespace tarnik
