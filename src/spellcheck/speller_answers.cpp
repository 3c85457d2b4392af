#include "spellcheck/speller_answers.h"

#include "charsets/internal_code.h"
#include "spellcheck/spell_check_state.h"
#include "speller/letter_code.h"
#include "speller/ranked_suggestions.h"
#include "speller/user_dictionary.h"
#include "speller/word_verdict.h"
#include "text/unicode_case.h"

namespace tarnik {

bool WordPasses(std::string_view word, bool beforeStop) {
    return WordIsCorrect(word, beforeStop, SpellCheck().user);
}

std::vector<std::string> DialogSuggestions(std::string_view text) {
    std::vector<std::string> words = ShownSuggestions(text, SpellCheck().settings.rankSuggestions);
    uint16_t caseClass = WordCaseClass(text);
    for (std::string& word : words)
        ApplyWordCase(word.data(), caseClass);
    return words;
}

const char* UserWordRefusal(std::u16string_view word, std::string& cp1250) {
    cp1250.clear();
    for (char16_t unit : word) {
        uint16_t code = UnicodeToInternal(unit);
        if (code >= 256)
            return "The word was not stored: it holds a character that Windows-1250 lacks.";
        cp1250.push_back(static_cast<char>(code));
    }
    uint8_t first = cp1250.empty() ? 0 : TextToWordCode(static_cast<uint8_t>(cp1250[0]));
    if (first == 0 || first == kHyphenCode)
        return "The word was not stored: a word starts with a letter.";
    if (WordLetterCount(cp1250) != cp1250.size())
        return "The word was not stored: only letters and the hyphen can be stored.";
    if (cp1250.size() > kMaxUserWordLetters)
        return "The word was not stored: it is longer than 255 letters.";
    return nullptr;
}

}  // namespace tarnik
