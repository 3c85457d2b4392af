// The word frequencies beside the main dictionary: any text is read, and each
// word it gives is keyed in small cp1250 letters, without spaces.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "charsets/char_classes.h"
#include "speller/word_frequencies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tarnik::WordCounts counts =
        tarnik::ParseWordFrequencies(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& [word, count] : counts) {
        if (word.empty() || word.find(' ') != std::string_view::npos)
            std::abort();
        for (char ch : word) {
            if (tarnik::ToLower(static_cast<uint8_t>(ch)) != static_cast<uint8_t>(ch))
                std::abort();
        }
    }
    return 0;
}
