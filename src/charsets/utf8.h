// UTF-8 text as the engines read it. The codec itself (UTF-8, UTF-16,
// Windows-1250 and its policy for malformed input) is the one both sides of the
// plug-in share, in tarnik/text_codec.h; this adds the engines' internal code.
#pragma once

#include <string>
#include <string_view>

#include "tarnik/text_codec.h"

namespace tarnik {

// Internal codes, one per UTF-16 unit, exactly as the engines read a host story
// holding the same text (StoryUnitToInternal: U+00AD gives 0x1F); each
// malformed piece of UTF-8 reads as U+FFFD.
std::u16string Utf8ToInternal(std::string_view text);

}  // namespace tarnik
