// The word frequencies beside the main dictionary: the checksum trailer that the
// file must end in is judged soundly (a sound one gives the bytes before it, and
// those bytes sealed again are sound), any text is read, and each word it gives
// is keyed in small cp1250 letters, without spaces.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "charsets/char_classes.h"
#include "files/checksum_trailer.h"
#include "speller/word_frequencies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view file(reinterpret_cast<const char*>(data), size);
    std::string_view text;
    tarnik::ChecksumVerdict verdict = tarnik::CheckTrailer(file, text);
    if (verdict == tarnik::ChecksumVerdict::kSound) {
        std::string_view again;
        if (text.size() + tarnik::kChecksumTrailerSize != size ||
            tarnik::CheckTrailer(std::string(text) + tarnik::ChecksumTrailer(text), again) !=
                tarnik::ChecksumVerdict::kSound)
            std::abort();
    } else if (text != file) {
        std::abort();
    }
    tarnik::WordCounts counts = tarnik::ParseWordFrequencies(text);
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
