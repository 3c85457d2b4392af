// A personal word list as editors keep them, in hunspell's format: UTF-8 text,
// one word a line. The part of a line from its first unescaped '/' on (affix
// flags, or a model word) is ignored, "\/" is a slash of the word, a trailing
// carriage return is dropped, and an empty line or one that starts with '*'
// (a forbidden word) adds nothing.
//
// A word is added by appending its line: under the file's lock the file is read
// again (so the words another program added meanwhile stay) and replaced whole
// through the one safe save; what was there is kept byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tarnik/error.h"

namespace tarnik::services {

// The words of a personal word list's text, in the order they stand.
std::vector<std::string> PersonalWords(std::string_view text);

class PersonalWordList {
  public:
    // Reads `path`; a missing file is created empty, with its folders.
    std::optional<Error> Open(const std::string& path);

    // Appends `word` unless the file holds it already, and saves.
    std::optional<Error> Add(std::string_view word);

    const std::vector<std::string>& Words() const { return words_; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::vector<std::string> words_;
};

}  // namespace tarnik::services
