// tarnik-freq: counts how often each word of Polish text (UTF-8, on standard
// input) occurs, and writes the words the main dictionary accepts as the word
// frequencies a suggestion ranking reads (word_frequencies.h):
//
//   tarnik-freq --dictionary son.dic [--min N] [--ranked FILE] < text > frequency.txt
//
// A word is a run of letters; it is counted in small letters. Words seen fewer
// than N times (default 2) are left out.
//
// --ranked adds a list of words in order of frequency (UTF-8, one a line, the
// most frequent first), whose ranks become counts by Zipf's law: of a list of
// R words, the word of rank r counts ceil(R / r), so the last counts 1 and the
// first R. These counts are added to those of the text, and kept whatever N is;
// a word the dictionary does not accept is left out, and a word listed twice
// counts at its first rank.
//
// The lines come most frequent first, then in byte order of the words, so the
// same input always gives the same file; the checksum trailer that the reader
// requires (files/checksum_trailer.h) ends it.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "charsets/char_classes.h"
#include "charsets/utf8.h"
#include "files/checksum_trailer.h"
#include "speller/letter_code.h"
#include "speller/main_dictionary.h"
#include "speller/word_check.h"

namespace {

int Usage() {
    std::cerr << "usage: tarnik-freq --dictionary son.dic [--min N] [--ranked FILE] < text >"
                 " frequency.txt\n";
    return 2;
}

bool IsWordLetter(char ch) {
    return ch != '-' && tarnik::TextToWordCode(static_cast<uint8_t>(ch)) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string dictionary;
    std::string ranked;
    unsigned long least = 2;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--dictionary" && i + 1 < argc)
            dictionary = argv[++i];
        else if (arg == "--min" && i + 1 < argc)
            least = std::stoul(argv[++i]);
        else if (arg == "--ranked" && i + 1 < argc)
            ranked = argv[++i];
        else
            return Usage();
    }
    if (dictionary.empty())
        return Usage();
    if (int16_t error = tarnik::SpellerOpen(dictionary); error != 0) {
        std::cerr << "tarnik-freq: cannot open the dictionary " << dictionary << " (error " << error
                  << ")\n";
        return 1;
    }
    std::map<std::string, unsigned long> counts;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::string text = tarnik::Utf8ToCp1250(line);
        for (size_t at = 0; at < text.size();) {
            if (!IsWordLetter(text[at])) {
                ++at;
                continue;
            }
            size_t end = at;
            while (end < text.size() && IsWordLetter(text[end]))
                ++end;
            std::string word = text.substr(at, end - at);
            at = end;
            tarnik::ToLowerInPlace(word);
            if (!counts.contains(word) && tarnik::SpellerCheckWord(word) != 1)
                continue;
            ++counts[word];
        }
    }
    std::set<std::string> listed;  // words of the ranked list, kept below N as well
    if (!ranked.empty()) {
        std::ifstream in(ranked);
        if (!in) {
            std::cerr << "tarnik-freq: cannot read " << ranked << "\n";
            return 1;
        }
        std::vector<std::string> words;
        for (std::string word; std::getline(in, word);) {
            if (!word.empty() && word.back() == '\r')
                word.pop_back();
            words.push_back(word);
        }
        const unsigned long size = words.size();
        for (unsigned long rank = 1; rank <= size; ++rank) {
            std::string word = tarnik::Utf8ToCp1250(words[rank - 1]);
            tarnik::ToLowerInPlace(word);
            if (word.empty() || !std::all_of(word.begin(), word.end(), IsWordLetter) ||
                listed.contains(word) || tarnik::SpellerCheckWord(word) != 1)
                continue;
            listed.insert(word);
            counts[word] += (size + rank - 1) / rank;
        }
    }
    std::vector<std::pair<std::string, unsigned long>> lines(counts.begin(), counts.end());
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::ostringstream out;
    out << "# How often each word occurs in Polish text, counted by tarnik-freq: the\n"
           "# words the main dictionary accepts, seen at least "
        << least << " times in the text";
    if (!ranked.empty())
        out << ",\n# with the counts of a list ranked by frequency added (Zipf's law)";
    out << ".\n";
    for (const auto& [word, count] : lines) {
        if (count >= least || listed.contains(word))
            out << count << ' ' << tarnik::Cp1250ToUtf8(word) << '\n';
    }
    std::string text = out.str();
    std::cout << text << tarnik::ChecksumTrailer(text);
    return std::cout.good() ? 0 : 1;
}
