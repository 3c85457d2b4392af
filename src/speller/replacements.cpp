#include "speller/replacements.h"

#include <new>

#include "charsets/utf8.h"
#include "files/checksum_trailer.h"
#include "speller/bundled_list.h"
#include "speller/letter_code.h"
#include "speller/main_dictionary.h"

namespace tarnik {

namespace {

// Whether every byte is a small letter of the alphabet or, in `to`, a space.
bool IsSmallLetters(std::string_view cp1250, bool spaceAllowed) {
    if (cp1250.empty() || cp1250.front() == ' ' || cp1250.back() == ' ')
        return false;
    for (char ch : cp1250) {
        if (ch == ' ' ? !spaceAllowed : !IsSmallCode(TextToWordCode(static_cast<uint8_t>(ch))))
            return false;
    }
    return true;
}

// The list of the open main dictionary, read once for each dictionary opened.
struct ReplacementsState {
    uint64_t opening = 0;
    std::vector<ReplacementPair> pairs;
};

}  // namespace

std::vector<ReplacementPair> ParseReplacements(std::string_view text) {
    std::vector<ReplacementPair> pairs;
    ForEachListLine(text, [&pairs](std::string_view line) {
        size_t space = line.find(' ');
        if (space == std::string_view::npos || line.find(' ', space + 1) != std::string_view::npos)
            return;
        std::string from = Utf8ToCp1250(line.substr(0, space));
        std::string to = Utf8ToCp1250(line.substr(space + 1));
        for (char& ch : to) {
            if (ch == '_')
                ch = ' ';
        }
        if (!IsSmallLetters(from, false) || !IsSmallLetters(to, true) || from == to)
            return;
        pairs.push_back({std::move(from), std::move(to)});
    });
    return pairs;
}

std::string ReplacementsFileText(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::string text =
        "# Letters often written for others, for suggestions: the REP pairs of the source\n"
        "# dictionary's affix file, as tarnik-dictc compiled them. FROM TO, a pair a line;\n"
        "# an underscore stands for a space between two words.\n";
    for (const auto& [from, to] : pairs)
        text += from + ' ' + to + '\n';
    return text + ChecksumTrailer(text);
}

const std::vector<ReplacementPair>& BundledReplacements() {
    static ReplacementsState state;
    if (!SpellerIsOpen()) {
        static const std::vector<ReplacementPair> none;
        return none;
    }
    try {
        std::optional<std::string> text = BundledListText(kReplacementsName, state.opening);
        if (!text)
            return state.pairs;
        state.pairs = ParseReplacements(*text);
    } catch (const std::bad_alloc&) {
        state.pairs.clear();  // the suggestions go on without the pairs
    }
    return state.pairs;
}

}  // namespace tarnik
