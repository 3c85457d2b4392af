#include "tools/container/user_word_list_writer.h"

#include <algorithm>
#include <stdexcept>

#include "speller/letter_code.h"
#include "speller/user_dictionary.h"

namespace tarnik::tools {

Bytes UserWordListFile(const std::vector<std::string>& words) {
    std::vector<std::string> coded;
    for (const std::string& word : words) {
        std::vector<uint8_t> codes = TranslateWord(word);
        if (codes.empty() || codes.size() != word.size() || codes.size() > kMaxUserWordLetters)
            throw std::invalid_argument("a user dictionary cannot hold the word '" + word + "'");
        coded.emplace_back(codes.begin(), codes.end());
    }
    // Letter-code order is the order of the codes as unsigned bytes.
    std::sort(coded.begin(), coded.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return static_cast<uint8_t>(x) < static_cast<uint8_t>(y); });
    });
    coded.erase(std::unique(coded.begin(), coded.end()), coded.end());
    const std::vector<uint8_t> list = UserWordList(coded);
    Bytes file;
    file.reserve(4 + list.size());
    for (int i = 0; i < 4; ++i)
        file.push_back(static_cast<uint8_t>(list.size() >> (8 * i)));
    for (uint8_t byte : list)
        file.push_back(byte);
    AppendChecksumTrailer(file);
    return file;
}

}  // namespace tarnik::tools
