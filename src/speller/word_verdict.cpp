#include "speller/word_verdict.h"

#include "speller/word_check.h"

namespace tarnik {

bool WordIsCorrect(std::string_view word, bool beforeStop, const UserDictionary* user) {
    int16_t correct = beforeStop ? SpellerCheckWordBeforeStop(word) : SpellerCheckWord(word);
    return correct == 1 || UserDictContains(user, word) == 1;
}

}  // namespace tarnik
