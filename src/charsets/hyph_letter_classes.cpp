#include "charsets/hyph_letter_classes.h"

#include "charsets/char_classes.h"
#include "charsets/polish_alphabet.h"

namespace tarnik {

HyphLetterClasses BuildHyphLetterClasses() {
    HyphLetterClasses classes;
    for (char c : kPolishAlphabet)
        classes.flags[static_cast<uint8_t>(c)] = HyphLetterClasses::kLetter;
    for (uint8_t c : {uint8_t{'-'}, uint8_t{0x96}, uint8_t{0x97}}) {
        classes.flags[c] = HyphLetterClasses::kHyphenOrDash;
    }
    classes.flags[DiscretionaryHyphen] = HyphLetterClasses::kDiscretionary;
    return classes;
}

}  // namespace tarnik
