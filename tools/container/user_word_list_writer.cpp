#include "tools/container/user_word_list_writer.h"

#include <algorithm>
#include <stdexcept>

#include "speller/letter_code.h"
#include "speller/user_dictionary.h"
#include "tools/container/byte_order.h"

namespace tarnik::tools {

Bytes UserWordListFile(const std::vector<std::string>& words) {
    std::vector<std::vector<uint8_t>> coded;
    for (const std::string& word : words) {
        std::vector<uint8_t> codes = TranslateWord(word);
        if (codes.empty() || codes.size() != word.size() || codes.size() > kMaxUserWordLetters)
            throw std::invalid_argument("a user dictionary cannot hold the word '" + word + "'");
        coded.push_back(std::move(codes));
    }
    std::sort(coded.begin(), coded.end(), ByteOrder{});
    coded.erase(std::unique(coded.begin(), coded.end()), coded.end());
    Bytes list;
    const std::vector<uint8_t>* previous = nullptr;
    for (const std::vector<uint8_t>& word : coded) {
        size_t shared = 0;
        if (previous) {
            auto [a, b] =
                std::mismatch(previous->begin(), previous->end(), word.begin(), word.end());
            shared = static_cast<size_t>(a - previous->begin());
        }
        list.push_back(static_cast<uint8_t>(shared));
        list.insert(list.end(), word.begin() + static_cast<std::ptrdiff_t>(shared), word.end());
        list.push_back(kEndMark);
        previous = &word;
    }
    list.push_back(0);
    list.push_back(0);
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
