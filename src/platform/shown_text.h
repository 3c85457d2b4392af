// A text of the plug-in as the host shows it: the English text translated into
// the host's interface language and converted to cp1250. The result lives in
// one of UiText's rotating buffers.
#pragma once

namespace tarnik {

const char* ShownText(const char* english);

}  // namespace tarnik
