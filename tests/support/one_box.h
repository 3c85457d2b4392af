// A document file (docs/documents.md) of one text box, for the tests that
// start the plug-in on a document.
#pragma once

#include <string>

namespace tarnik::testing {

// A document of one text box, current, holding `text` with the selection
// [start, end].
inline std::string OneBox(const std::string& text, int start = 0, int end = 0,
                          const std::string& language = "en") {
    std::string escaped;
    for (char c : text) {
        if (c == '"' || c == '\\')
            escaped += '\\';
        escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return R"({"language": ")" + language + R"(", "stories": [{"text": ")" + escaped +
           R"("}], "spreads": [{"items": [{"id": "t", "type": "text", "story": 0, "selection": [)" +
           std::to_string(start) + ", " + std::to_string(end) + R"(]}]}], "current": "t"})";
}

}  // namespace tarnik::testing
