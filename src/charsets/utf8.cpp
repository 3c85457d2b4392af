#include "charsets/utf8.h"

#include "charsets/internal_code.h"

namespace tarnik {

std::u16string Utf8ToInternal(std::string_view text) {
    std::u16string codes = Utf8ToUtf16(text);
    for (char16_t& code : codes)
        code = static_cast<char16_t>(StoryUnitToInternal(code));
    return codes;
}

}  // namespace tarnik
