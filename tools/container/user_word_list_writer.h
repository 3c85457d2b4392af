// Writes a file in the user-dictionary format: a 4-byte little-endian list
// length, then the words sorted by letter code (capitals before small letters, a
// word before its own extensions), each a shared-prefix byte, its remaining
// letters and the end mark, the list closed by 0, 0, and after the list the
// checksum trailer (files/checksum_trailer.h), which the user-dictionary reader
// checks. The bundled dictionary of mixed-case words is such a file.
#pragma once

#include <string>
#include <vector>

#include "tools/container/container_writer.h"

namespace tarnik::tools {

// The file for `words` (cp1250, in any order, repeats allowed). Throws
// std::invalid_argument for a word the format cannot hold (no letters, a
// character outside the letter code, more than 255 letters).
Bytes UserWordListFile(const std::vector<std::string>& words);

}  // namespace tarnik::tools
