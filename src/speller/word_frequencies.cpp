#include "speller/word_frequencies.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>

#include "charsets/char_classes.h"
#include "charsets/foreign_letters.h"
#include "charsets/utf8.h"
#include "speller/main_dictionary.h"

namespace tarnik {

namespace {

// The small-letter form of a cp1250 word, as the list keys it.
std::string SmallForm(std::string_view word) {
    std::string small(word);
    for (char& ch : small)
        ch = static_cast<char>(ForeignToLower(ToLower(static_cast<uint8_t>(ch))));
    return small;
}

// The list of the open main dictionary, read once for each dictionary opened.
struct FrequencyState {
    uint64_t opening = 0;  // the opening of the main dictionary the counts belong to
    WordCounts counts;
};

const WordCounts& Counts() {
    static FrequencyState state;
    if (MainDictionaryOpenings() == state.opening)
        return state.counts;
    state.opening = MainDictionaryOpenings();
    state.counts.clear();
    std::filesystem::path list =
        std::filesystem::path(OpenDictionaryPath()).parent_path() / kWordFrequenciesName;
    std::ifstream in(list, std::ios::binary);
    if (!in)
        return state.counts;
    try {
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        state.counts = ParseWordFrequencies(text);
    } catch (const std::bad_alloc&) {
        state.counts.clear();  // the ranking goes on without frequencies
    }
    return state.counts;
}

}  // namespace

WordCounts ParseWordFrequencies(std::string_view text) {
    WordCounts counts;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        uint32_t count = 0;
        auto [after, error] = std::from_chars(line.data(), line.data() + line.size(), count);
        if (error != std::errc() || after == line.data() + line.size() || *after != ' ')
            continue;
        std::string_view word = line.substr(static_cast<size_t>(after - line.data()) + 1);
        if (word.empty() || word.find(' ') != std::string_view::npos)
            continue;
        std::string cp1250 = Utf8ToCp1250(word);
        if (cp1250.find('?') != std::string::npos)
            continue;  // a character that cp1250 lacks
        counts[SmallForm(cp1250)] = count;
    }
    return counts;
}

uint32_t WordFrequency(std::string_view word) {
    if (!SpellerIsOpen())
        return 0;
    const WordCounts& counts = Counts();
    if (counts.empty())
        return 0;
    auto found = counts.find(SmallForm(word));
    return found == counts.end() ? 0 : found->second;
}

}  // namespace tarnik
