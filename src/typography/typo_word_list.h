// A word list of the typography settings: the words that bind to their
// neighbours, the units after numbers, the spacing exceptions.
//
// The list is kept padded, a space in front and one behind (" a w z "), so that
// looking a word up is one substring search for " word ": exact and
// case-sensitive. It fits a 256-byte field (255 bytes and a NUL); the cached
// length of its longest word lets the engine skip words that cannot be in it.
// Words are separated by one or more spaces; the bytes are cp1250.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnik {

class TypoWordList {
  public:
    // Bytes the padded list may hold, its NUL aside.
    static constexpr std::size_t kCapacity = 255;

    TypoWordList() = default;
    // From stored text (without the padding); see Assign.
    explicit TypoWordList(std::string_view stored) { Assign(stored); }

    // Takes stored text, pads it and recomputes the longest word. Text that would
    // not fit is cut at the capacity.
    void Assign(std::string_view stored);

    // The text to store: the list without its enclosing spaces.
    std::string Stored() const;
    const std::string& Padded() const { return padded_; }
    int16_t Longest() const { return longest_; }

    // True when " word " occurs in the padded list. An empty word, or one too long
    // to be in the list, is never found.
    bool Contains(std::string_view word) const;
    // Contains() for the key " word " already built by the caller.
    bool ContainsKey(std::string_view key) const { return padded_.find(key) != std::string::npos; }

    // The list editor's operations. Add appends "word " unless the word is empty
    // or the list would outgrow its field; Remove takes out the first occurrence
    // (the space before it and the word); Change removes `from` and adds `to`
    // (when `to` does not fit, it is dropped and `from` is gone all the same).
    // Each returns false when it left the list unchanged.
    bool Add(std::string_view word);
    bool Remove(std::string_view word);
    bool Change(std::string_view from, std::string_view to);

  private:
    void ComputeLongest();

    std::string padded_ = "  ";
    int16_t longest_ = 0;
};

}  // namespace tarnik
