#include "services/accepted_words.h"

#include "services/speller.h"

namespace tarnik::services {

AcceptedWords::~AcceptedWords() {
    // A record the speller's closing has closed already is not found, and
    // nothing happens.
    if (record_)
        UserDictClose(record_);
}

void AcceptedWords::Accept(std::string_view word) {
    std::string cp1250;
    if (UserWordProblem(word, cp1250).empty() &&
        (record_ || UserDictOpenForRun(record_) == kUserDictOk) &&
        UserDictAddWord(record_, cp1250) == kUserDictOk)
        return;
    asWritten_.emplace(word);
}

}  // namespace tarnik::services
