#include "spellcheck/speller_answers.h"

#include "spellcheck/spell_check_state.h"
#include "speller/suggestions.h"
#include "speller/word_check.h"
#include "text/word_scanner.h"

namespace tarnik {

bool WordPasses(std::string_view word, bool beforeStop) {
    int16_t correct = beforeStop ? SpellerCheckWordBeforeStop(word) : SpellerCheckWord(word);
    return correct == 1 || UserDictContains(SpellCheck().user, word) == 1;
}

std::vector<std::string> DialogSuggestions(std::string_view text) {
    SuggestionList list = SpellerSuggest(text);
    WordScanner::ApplyCaseToList(list, WordScanner::CaseClass(text));
    std::vector<std::string> words;
    for (SuggestionNode* node = list; node; node = node->next)
        words.emplace_back(node->word);
    SpellerFreeSuggestions(list);
    return words;
}

}  // namespace tarnik
