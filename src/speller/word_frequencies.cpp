#include "speller/word_frequencies.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <utility>
#include <vector>

#include "charsets/char_classes.h"
#include "charsets/foreign_letters.h"
#include "charsets/utf8.h"
#include "speller/bundled_list.h"
#include "speller/main_dictionary.h"

namespace tarnik {

namespace {

// Makes a cp1250 word the small-letter form the list keys it by.
void MakeSmall(std::string& word) {
    for (char& ch : word)
        ch = static_cast<char>(ForeignToLower(ToLower(static_cast<uint8_t>(ch))));
}

// Calls `take(word, count)` for each well-formed line of a list, in its order,
// with the word in small cp1250 letters.
template <typename Take>
void ForEachCount(std::string_view text, Take take) {
    std::string word;
    ForEachListLine(text, [&](std::string_view line) {
        uint32_t count = 0;
        auto [after, error] = std::from_chars(line.data(), line.data() + line.size(), count);
        if (error != std::errc() || after == line.data() + line.size() || *after != ' ')
            return;
        std::string_view utf8 = line.substr(static_cast<size_t>(after - line.data()) + 1);
        if (utf8.empty() || utf8.find(' ') != std::string_view::npos)
            return;
        word = Utf8ToCp1250(utf8);
        if (word.find('?') != std::string::npos)
            return;  // a character that cp1250 lacks
        MakeSmall(word);
        take(word, count);
    });
}

// 64-bit FNV-1a of a small cp1250 word: among some tens of thousands of words
// two share a hash with a chance of about one in ten million million.
uint64_t WordHash(std::string_view word) {
    uint64_t hash = 14695981039346656037ull;
    for (char ch : word)
        hash = (hash ^ static_cast<uint8_t>(ch)) * 1099511628211ull;
    return hash;
}

// The list of the open main dictionary, read once for each dictionary opened:
// the counts keyed by their word's hash, sorted by it. Tens of thousands of
// words load in a few milliseconds this way, a third of the time a table of
// the words themselves takes, which a suggestion in a new process would wait for.
struct FrequencyState {
    uint64_t opening = 0;  // the opening of the main dictionary the counts belong to
    std::vector<std::pair<uint64_t, uint32_t>> counts;
};

const std::vector<std::pair<uint64_t, uint32_t>>& Counts() {
    static FrequencyState state;
    try {
        std::optional<std::string> list = BundledListText(kWordFrequenciesName, state.opening);
        if (!list)
            return state.counts;
        state.counts.clear();
        const std::string& text = *list;
        // Each word's place in the list, so that a later line for a word wins.
        std::vector<std::pair<uint64_t, uint32_t>> placed;
        std::vector<uint32_t> counts;
        size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
        placed.reserve(lines);
        counts.reserve(lines);
        ForEachCount(text, [&](const std::string& word, uint32_t count) {
            placed.emplace_back(WordHash(word), static_cast<uint32_t>(counts.size()));
            counts.push_back(count);
        });
        std::sort(placed.begin(), placed.end());
        state.counts.reserve(placed.size());
        for (size_t i = 0; i < placed.size(); ++i) {
            if (i + 1 < placed.size() && placed[i + 1].first == placed[i].first)
                continue;
            state.counts.emplace_back(placed[i].first, counts[placed[i].second]);
        }
    } catch (const std::bad_alloc&) {
        state.counts.clear();  // the ranking goes on without frequencies
    }
    return state.counts;
}

}  // namespace

WordCounts ParseWordFrequencies(std::string_view text) {
    WordCounts counts;
    ForEachCount(text, [&](const std::string& word, uint32_t count) {
        counts.insert_or_assign(word, count);
    });
    return counts;
}

uint32_t WordFrequency(std::string_view word) {
    if (!SpellerIsOpen())
        return 0;
    const std::vector<std::pair<uint64_t, uint32_t>>& counts = Counts();
    if (counts.empty())
        return 0;
    std::string small(word);
    MakeSmall(small);
    uint64_t hash = WordHash(small);
    auto found = std::lower_bound(counts.begin(), counts.end(), std::make_pair(hash, uint32_t{0}));
    return found == counts.end() || found->first != hash ? 0 : found->second;
}

}  // namespace tarnik
