// A stored (x-mac-ce) text as the user sees it, in UTF-8: the way UiText and
// the host take it.
#pragma once

#include <string>
#include <string_view>

#include "charsets/polish_charset.h"
#include "charsets/utf8.h"

namespace tarnik::testing {

inline std::string Shown(std::string_view stored) {
    static const PolishCharset macToWin("mac", "win");
    return Cp1250ToUtf8(macToWin.ToExternal(stored));
}

}  // namespace tarnik::testing
