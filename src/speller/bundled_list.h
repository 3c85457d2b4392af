// The text lists that lie beside the main dictionary (frequency.txt,
// replacements.txt): read once for each dictionary opened, sealed by our tools
// with a checksum trailer, a line an entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "files/checksum_trailer.h"

namespace tarnik {

// The text of the list `name` beside the open main dictionary, when a
// dictionary was opened since `opening` (which is moved on): empty when the
// list is missing, cut short or changed. None while the opening is the same,
// so the caller keeps what it made of the text before.
std::optional<std::string> BundledListText(const char* name, uint64_t& opening);

// Reads the list `name` beside the open main dictionary now, to tell at once
// whether it is there and whole; the text read is kept for the next
// BundledListText of this opening, so the list is read once either way.
SealedFile CheckBundledList(const char* name);

// Calls `take(line)` for each line of a list that is neither empty nor a
// comment ('#'), without its line end (LF or CR LF).
template <typename Take>
void ForEachListLine(std::string_view text, Take take) {
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() != '#')
            take(line);
    }
}

}  // namespace tarnik
