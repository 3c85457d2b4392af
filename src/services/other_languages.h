// The dictionaries of other languages that a Polish text may quote (-d
// pl_PL,en_US): Debian's hunspell dictionaries, read through libhunspell. A
// word Tarnik refuses passes when one of them accepts it; their suggestions
// follow Tarnik's.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tarnik/error.h"

namespace tarnik::services {

// The folders searched for NAME.aff and NAME.dic: $DICPATH's (':'-separated)
// first, then Debian's /usr/share/hunspell and /usr/share/myspell.
std::vector<std::string> HunspellFolders();

class OtherLanguages {
  public:
    OtherLanguages();
    ~OtherLanguages();
    OtherLanguages(const OtherLanguages&) = delete;
    OtherLanguages& operator=(const OtherLanguages&) = delete;

    // Opens the dictionary of each name: a path without its .aff/.dic, a full
    // name ("en_US") or a language alone ("en": en_EN when there is one, else
    // the first en_* in the first folder that has one). One error for each
    // name whose dictionary is missing or unusable; the others are opened.
    std::vector<Error> Open(const std::vector<std::string>& names,
                            const std::vector<std::string>& folders);

    // Whether one of the open dictionaries accepts `word` (UTF-8).
    bool Accepts(const std::string& word) const;

    // Appends their suggestions for `word` (UTF-8) that `suggestions` lacks.
    void Suggest(const std::string& word, std::vector<std::string>& suggestions) const;

    bool Empty() const;

  private:
    struct Dictionary;
    std::vector<std::unique_ptr<Dictionary>> dictionaries_;
};

}  // namespace tarnik::services
