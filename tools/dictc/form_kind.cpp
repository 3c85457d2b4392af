#include "tools/dictc/form_kind.h"

#include "charsets/internal_code.h"
#include "speller/letter_code.h"
#include "speller/word_check.h"

namespace tarnik::tools {

FormKind ClassifyForm(const std::u32string& form, std::string& cp1250) {
    cp1250.clear();
    for (char32_t c : form) {
        uint16_t code = c > 0xFFFF ? kNoInternalCode : UnicodeToInternal(static_cast<char16_t>(c));
        if (code > 0xFF || TextToCode(static_cast<uint8_t>(code)) == 0)
            return FormKind::kOutsideAlphabet;
        cp1250.push_back(static_cast<char>(code));
    }
    if (cp1250.size() > kMaxWordLetters)
        return FormKind::kTooLong;
    switch (WordCasePattern(cp1250)) {
        case CasePattern::kSmall:
            return FormKind::kSmall;
        case CasePattern::kCapitalised:
            return FormKind::kCapitalised;
        case CasePattern::kAllCapitals:
            return FormKind::kAllCapitals;
        case CasePattern::kMixed:
            break;
    }
    return FormKind::kMixed;
}

}  // namespace tarnik::tools
