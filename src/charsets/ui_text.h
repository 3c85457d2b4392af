// The plug-in's own texts (menus, dialogs, message boxes) are stored in the Mac
// Central European set ("mac") and converted to cp1250 ("win") just before they
// reach the host.
//
// The converters and buffers are made on first use, one set per thread, so a
// text converted on one thread is never overwritten from another; the plug-in
// itself converts on the host's user-interface thread only.
#pragma once

#include <string>
#include <string_view>

#include "charsets/polish_charset.h"

namespace tarnik {

// Stored texts are shorter than this; a longer one is cut to kUiTextBufferSize - 1
// bytes by the rotating form below.
inline constexpr std::size_t kUiTextBufferSize = 512;
inline constexpr int kUiTextBufferCount = 16;

// Converts `text` (up to its NUL) into the next of the rotating buffers and
// returns it: the result survives the next 15 conversions and is overwritten by
// the 16th. A null text gives "".
const char* UiText(const char* text);

// Converts the whole of `text` into `destination`.
void UiText(std::string_view text, std::string& destination);

// The shared "win"/"win" set whose lower-case map lists use to jump to the entry
// whose first letter was typed.
const PolishCharset& ListJumpCharset();

}  // namespace tarnik
