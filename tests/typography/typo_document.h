// A document of one text box in the in-memory host, with the plug-in's HostApi
// connected to the host as at activation, for running the engine as the
// typography command runs it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/memory_host.h"

namespace tarnik::testing {

class TypoDocument {
  public:
    // The box's story holds `utf8`; [selectionStart, selectionEnd) is selected.
    explicit TypoDocument(std::string_view utf8, int32_t selectionStart = 0,
                          int32_t selectionEnd = 0);

    host::Story& Story();
    // The story as UTF-8, every space with the no-break mark written as '~'.
    std::string Text();
    // The selected text, as Text() writes it.
    std::string Selected();
    // The no-break mark of the character at `position`.
    bool Marked(int32_t position);

    host::MemoryHost host;
};

}  // namespace tarnik::testing
