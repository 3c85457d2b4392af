// The character maps of a hyphenation data file (resources 102 and 105).
//
// The trie, the outputs and the exception lists hold the patterns' own codes
// (the bytes of the pattern file's encoding). The input map takes each cp1250
// byte to the code of its small letter in that encoding, so capitals fold to
// small letters. A cp1250 character the encoding lacks (€, „, ±, ©, ...) keeps
// its own byte when no character of the encoding uses it, or else gets a code
// no character of the encoding uses, so that ± can never read as the ą that
// shares its byte in ISO 8859-2. The output map is the way back to cp1250: every
// code a small letter or other character was given returns to it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarnik::tools {

struct CharMaps {
    std::array<uint8_t, 256> input{};
    std::array<uint8_t, 256> output{};
};

// `encoding` is an iconv name of an 8-bit character set. Throws
// std::runtime_error when the system does not know it, or for a Unicode form.
CharMaps BuildCharMaps(const std::string& encoding);

}  // namespace tarnik::tools
