// The plug-in keeps the texts it shows (menu titles, dialog texts, messages) as
// x-mac-ce bytes; UiText turns them into cp1250 just before they reach the host.
// Our sources hold those texts in UTF-8 and convert them once, when the tables
// and templates that hold them are built.
#pragma once

#include <string>
#include <string_view>

namespace tarnik {

// UTF-8 to x-mac-ce: through cp1250, then the cp1250 to x-mac-ce map of
// PolishCharset, the exact reverse of what UiText does. A character that
// cp1250 lacks becomes '?'.
std::string StoredText(std::string_view utf8);

}  // namespace tarnik
