#include "typography/typo_word_list.h"

#include <algorithm>

namespace tarnik {

namespace {

// Length of the longest run of non-spaces in `text`.
int16_t LongestWordLength(std::string_view text) {
    std::size_t longest = 0;
    std::size_t run = 0;
    for (char c : text) {
        run = c == ' ' ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return static_cast<int16_t>(longest);
}

}  // namespace

void TypoWordList::Assign(std::string_view stored) {
    padded_.assign(1, ' ');
    padded_.append(stored.substr(0, kCapacity - 2));
    padded_.push_back(' ');
    ComputeLongest();
}

std::string TypoWordList::Stored() const {
    std::string_view text = padded_;
    if (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

bool TypoWordList::Contains(std::string_view word) const {
    if (word.empty() || word.size() > kCapacity - 2)
        return false;
    char key[kCapacity + 1];
    key[0] = ' ';
    std::copy(word.begin(), word.end(), key + 1);
    key[word.size() + 1] = ' ';
    return ContainsKey(std::string_view(key, word.size() + 2));
}

bool TypoWordList::Add(std::string_view word) {
    if (word.empty() || padded_.size() + word.size() + 1 > kCapacity)
        return false;
    padded_.append(word);
    padded_.push_back(' ');
    ComputeLongest();
    return true;
}

bool TypoWordList::Remove(std::string_view word) {
    if (word.empty())
        return false;
    std::string key = std::string(" ").append(word).append(" ");
    std::size_t at = padded_.find(key);
    if (at == std::string::npos)
        return false;
    padded_.erase(at, word.size() + 1);
    ComputeLongest();
    return true;
}

bool TypoWordList::Change(std::string_view from, std::string_view to) {
    if (from.empty() || to.empty())
        return false;
    bool removed = Remove(from);
    return Add(to) || removed;
}

void TypoWordList::ComputeLongest() {
    longest_ = LongestWordLength(padded_);
}

}  // namespace tarnik
