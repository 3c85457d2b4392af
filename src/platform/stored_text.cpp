#include "platform/stored_text.h"

#include "charsets/polish_charset.h"
#include "charsets/utf8.h"

namespace tarnik {

std::string StoredText(std::string_view utf8) {
    static const PolishCharset winToMac("win", "mac");
    return winToMac.ToExternal(Utf8ToCp1250(utf8));
}

}  // namespace tarnik
