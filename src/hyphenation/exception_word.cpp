#include "hyphenation/exception_word.h"

#include "charsets/char_classes.h"
#include "charsets/internal_code.h"

namespace tarnik {

const char* HyphExceptionRefusal(std::u16string_view hyphenated, std::string& cp1250) {
    cp1250.clear();
    bool letterBefore = false;
    for (char16_t unit : hyphenated) {
        uint16_t code = UnicodeToInternal(unit);
        if (code >= 256)
            return "The exception was not stored: it holds a character that Windows-1250 lacks.";
        auto byte = static_cast<uint8_t>(code);
        if (byte == '-') {
            // A break stands between two letters: at an edge or doubled it would
            // mark nothing, and the word would be stored without it.
            if (!letterBefore)
                return "The exception was not stored: each '-' must stand between two letters.";
            letterBefore = false;
        } else if (IsAlpha(byte)) {
            letterBefore = true;
        } else {
            return "The exception was not stored: write only the word's letters, with '-' at "
                   "each break.";
        }
        cp1250.push_back(static_cast<char>(byte));
    }
    if (cp1250.empty())
        return "The exception was not stored: write only the word's letters, with '-' at "
               "each break.";
    if (!letterBefore)
        return "The exception was not stored: each '-' must stand between two letters.";
    return nullptr;
}

}  // namespace tarnik
