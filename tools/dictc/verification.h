// The compiler's check of its own output: the written file is opened with the
// speller library, as the plug-in opens it, and every stored word is checked.
#pragma once

#include <string>
#include <vector>

#include "tools/dictc/dictionary_compiler.h"

namespace tarnik::tools {

// Opens `path` and checks that every small form, capitals-list word and
// always-accepted word is correct, every abbreviation correct before a full
// stop, and that a small form with its last letter dropped is correct only when
// it is itself a stored word. With `mixedCasePath`, that file is opened beside
// it as a user dictionary and every mixed-case form must be correct too.
// Returns one line per failure (at most `maxReported`, then a count of the
// rest); empty when all is well.
std::vector<std::string> VerifyDictionary(const std::string& path,
                                          const CompiledDictionary& dictionary,
                                          size_t maxReported = 20,
                                          const std::string& mixedCasePath = {});

}  // namespace tarnik::tools
