// Decodes the text of a hunspell dictionary (the encoding its SET names) into
// Unicode characters.
#pragma once

#include <iconv.h>

#include <string>

namespace tarnik::tools {

class TextDecoder {
  public:
    // Throws std::runtime_error when the encoding is unknown.
    explicit TextDecoder(const std::string& encoding);
    ~TextDecoder();
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    // Throws std::runtime_error for bytes that are not text in the encoding.
    std::u32string Decode(const std::string& bytes);

  private:
    iconv_t converter_;
};

}  // namespace tarnik::tools
