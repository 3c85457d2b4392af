// Words that pass without being saved anywhere: those accepted for a run, and
// those of a personal word list. They are kept in a user dictionary of the run,
// which every word check consults with the other user dictionaries (the
// plug-in's Check Spelling walk too); a word such a dictionary cannot hold as it
// is written (a digit, a letter Windows-1250 lacks) is kept whole beside it,
// for the services' own check.
//
// The run's dictionary lives until this object goes or the speller is closed
// (which closes every user dictionary), whichever comes first.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

#include "speller/user_dictionary.h"

namespace tarnik::services {

class AcceptedWords {
  public:
    AcceptedWords() = default;
    ~AcceptedWords();
    AcceptedWords(const AcceptedWords&) = delete;
    AcceptedWords& operator=(const AcceptedWords&) = delete;

    void Accept(std::string_view word);

    // Whether `word` (UTF-8) was accepted as one the run's dictionary cannot hold.
    bool HoldsAsWritten(std::string_view word) const {
        return asWritten_.contains(std::string(word));
    }

  private:
    UserDictionary* record_ = nullptr;
    std::unordered_set<std::string> asWritten_;
};

}  // namespace tarnik::services
