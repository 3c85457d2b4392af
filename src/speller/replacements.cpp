#include "speller/replacements.h"

#include <filesystem>
#include <new>

#include "charsets/utf8.h"
#include "files/checksum_trailer.h"
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
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        size_t space = line.find(' ');
        if (space == std::string_view::npos || line.find(' ', space + 1) != std::string_view::npos)
            continue;
        std::string from = Utf8ToCp1250(line.substr(0, space));
        std::string to = Utf8ToCp1250(line.substr(space + 1));
        for (char& ch : to) {
            if (ch == '_')
                ch = ' ';
        }
        if (!IsSmallLetters(from, false) || !IsSmallLetters(to, true) || from == to)
            continue;
        pairs.push_back({std::move(from), std::move(to)});
    }
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
    if (MainDictionaryOpenings() == state.opening)
        return state.pairs;
    state.opening = MainDictionaryOpenings();
    state.pairs.clear();
    std::filesystem::path list =
        std::filesystem::path(OpenDictionaryPath()).parent_path() / kReplacementsName;
    try {
        std::string text;
        if (ReadSealedFile(list.string(), text) != SealedFile::kRead)
            return state.pairs;  // none, or refused: cut short or changed
        state.pairs = ParseReplacements(text);
    } catch (const std::bad_alloc&) {
        state.pairs.clear();  // the suggestions go on without the pairs
    }
    return state.pairs;
}

}  // namespace tarnik
