#include "speller/word_check.h"

#include <array>

#include "speller/main_dictionary.h"
#include "speller/user_dictionary.h"

namespace tarnik {

namespace {

bool IsCapitalByte(char byte) {
    return IsCapitalCode(TextToCode(static_cast<uint8_t>(byte)));
}

int16_t Check(std::string_view word, bool beforeStop) {
    if (word.empty())
        return 1;
    CasePattern pattern = WordCasePattern(word);
    size_t count = LetterCount(word);
    if (count == 0 || count > kMaxWordLetters)
        return 0;

    std::array<uint8_t, kMaxWordLetters + 1> codes;
    LetterWord form(codes.data(), count + 1);
    codes[count] = kEndMark;
    if (pattern == CasePattern::kMixed) {
        for (size_t i = 0; i < count; ++i)
            codes[i] = TextToCode(static_cast<uint8_t>(word[i]));
        return AnyUserDictContains(form) ? 1 : 0;
    }
    for (size_t i = 0; i < count; ++i)
        codes[i] = TextToSmallCode(static_cast<uint8_t>(word[i]));
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
