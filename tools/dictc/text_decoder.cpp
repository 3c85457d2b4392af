#include "tools/dictc/text_decoder.h"

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace tarnik::tools {

TextDecoder::TextDecoder(const std::string& encoding)
    : converter_(iconv_open("UTF-32LE", encoding.c_str())) {
    if (converter_ == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("unknown encoding " + encoding);
}

TextDecoder::~TextDecoder() {
    iconv_close(converter_);
}

std::u32string TextDecoder::Decode(const std::string& bytes) {
    std::string input = bytes;
    std::vector<char> output(input.size() * 4 + 4);
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    iconv(converter_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter_, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1))
        throw std::runtime_error("text that is not in the dictionary's encoding: " + bytes);
    std::u32string text;
    for (const char* p = output.data(); p + 4 <= out; p += 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(p);
        text.push_back(static_cast<char32_t>(b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24));
    }
    return text;
}

}  // namespace tarnik::tools
