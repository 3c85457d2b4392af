#include "spellcheck/speller_answers.h"

#include "spellcheck/spell_check_state.h"
#include "speller/ranked_suggestions.h"
#include "speller/word_check.h"
#include "text/word_scanner.h"

namespace tarnik {

bool WordPasses(std::string_view word, bool beforeStop) {
    int16_t correct = beforeStop ? SpellerCheckWordBeforeStop(word) : SpellerCheckWord(word);
    return correct == 1 || UserDictContains(SpellCheck().user, word) == 1;
}

std::vector<std::string> DialogSuggestions(std::string_view text) {
    std::vector<std::string> words = ShownSuggestions(text, SpellCheck().settings.rankSuggestions);
    uint16_t caseClass = WordScanner::CaseClass(text);
    for (std::string& word : words)
        WordScanner::ApplyCase(word.data(), caseClass);
    return words;
}

}  // namespace tarnik
