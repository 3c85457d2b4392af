// How the word check will see a generated form, which decides where it is stored.
#pragma once

#include <string>

namespace tarnik::tools {

enum class FormKind {
    kSmall,            // main dictionary: stems, classes and endings
    kCapitalised,      // capitals lists
    kAllCapitals,      // capitals lists
    kMixed,            // only a user dictionary can hold it
    kOutsideAlphabet,  // holds a character the letter code lacks (digit, apostrophe, é, ...)
    kTooLong,          // more letters than the check takes
};

// Classifies `form`, filling `cp1250` with its Windows-1250 text when every
// character has a letter code.
FormKind ClassifyForm(const std::u32string& form, std::string& cp1250);

}  // namespace tarnik::tools
