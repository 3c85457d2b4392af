#include "tools/hyphc/char_maps.h"

#include <iconv.h>

#include <cctype>
#include <map>
#include <stdexcept>

#include "charsets/char_classes.h"
#include "charsets/internal_code.h"

namespace tarnik::tools {
namespace {

// The character (as a UTF-32 value) of each byte of `encoding`, 0 when the
// byte stands for none.
std::array<char32_t, 256> DecodeTable(const std::string& encoding) {
    std::string upper;
    for (char c : encoding)
        upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    if (upper.find("UTF") != std::string::npos || upper.find("UCS") != std::string::npos)
        throw std::runtime_error("encoding '" + encoding + "' is no 8-bit character set");
    iconv_t cd = iconv_open("UTF-32LE", encoding.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("unknown encoding '" + encoding + "'");
    std::array<char32_t, 256> table{};
    for (int b = 1; b < 256; ++b) {
        char in = static_cast<char>(b);
        unsigned char out[4] = {};
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(out);
        size_t inLeft = 1;
        size_t outLeft = 4;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
            outLeft == 0)
            table[b] = char32_t{out[0]} | (char32_t{out[1]} << 8) | (char32_t{out[2]} << 16) |
                       (char32_t{out[3]} << 24);
    }
    iconv_close(cd);
    return table;
}

}  // namespace

CharMaps BuildCharMaps(const std::string& encoding) {
    std::array<char32_t, 256> decoded = DecodeTable(encoding);
    std::map<char32_t, uint8_t> encode;
    for (int b = 1; b < 256; ++b)
        if (decoded[b] != 0)
            encode.try_emplace(decoded[b], static_cast<uint8_t>(b));

    CharMaps maps;
    std::array<bool, 256> taken{};  // codes given to some cp1250 byte
    taken[0] = true;
    // Characters the encoding holds: their small letter's code.
    for (int b = 1; b < 256; ++b) {
        char16_t unicode = InternalToUnicode(ToLower(static_cast<uint8_t>(b)));
        auto it = unicode == kNoUnicode ? encode.end() : encode.find(unicode);
        if (it != encode.end()) {
            maps.input[b] = it->second;
            taken[it->second] = true;
        }
    }
    // The rest keep their byte where it is free, else take the first free code,
    // counting from 0x80 (where 8-bit sets keep their controls) and then from 1.
    std::array<bool, 256> keeps{};
    for (int b = 1; b < 256; ++b)
        if (maps.input[b] == 0 && !taken[b])
            keeps[b] = taken[b] = true;
    int next = 0x80;
    for (int b = 1; b < 256; ++b) {
        if (maps.input[b] != 0)
            continue;
        if (keeps[b]) {
            maps.input[b] = static_cast<uint8_t>(b);
            continue;
        }
        while (taken[next])
            next = next == 0xFF ? 1 : next + 1;
        maps.input[b] = static_cast<uint8_t>(next);
        taken[next] = true;
    }
    for (int b = 1; b < 256; ++b)
        if (ToLower(static_cast<uint8_t>(b)) == b)
            maps.output[maps.input[b]] = static_cast<uint8_t>(b);
    return maps;
}

}  // namespace tarnik::tools
