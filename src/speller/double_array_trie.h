// A double-array trie over one-byte symbols, as the special word lists and the
// ending table store it: an array of 16-bit big-endian bases and an array of
// check bytes, both indexed by 16-bit state numbers.
//
// A walk starts at the state numbered by the first symbol, which matches when its
// check byte equals that symbol; every next symbol x moves to
// (base[s] + x) mod 65536 and matches when that state's check byte is x. A state
// beyond the end of either array is a mismatch. Words close with the end mark,
// so matching the end mark means the word is held.
#pragma once

#include <cstdint>
#include <vector>

#include "speller/letter_code.h"

namespace tarnik {

class DoubleArrayTrie {
  public:
    DoubleArrayTrie() = default;
    DoubleArrayTrie(std::vector<uint8_t> bigEndianBases, std::vector<uint8_t> checks)
        : bases_(std::move(bigEndianBases)), checks_(std::move(checks)) {}

    // The first step of a walk: the state numbered `symbol`.
    bool Start(uint8_t symbol, uint16_t& state) const {
        state = symbol;
        return Matches(state, symbol);
    }

    bool Step(uint8_t symbol, uint16_t& state) const {
        if (size_t{state} * 2 + 1 >= bases_.size())
            return false;
        uint16_t base =
            static_cast<uint16_t>((bases_[size_t{state} * 2] << 8) | bases_[size_t{state} * 2 + 1]);
        state = static_cast<uint16_t>(base + symbol);
        return Matches(state, symbol);
    }

    // Walks on from `state` over `word` up to and including its end mark.
    bool StepThrough(LetterWord word, uint16_t state) const {
        for (uint8_t symbol : word) {
            if (!Step(symbol, state))
                return false;
            if (symbol == kEndMark)
                return true;
        }
        return false;
    }

    // Whether the trie holds `word`.
    bool Contains(LetterWord word) const {
        uint16_t state = 0;
        if (word.empty() || !Start(word[0], state))
            return false;
        return word[0] == kEndMark || StepThrough(word.subspan(1), state);
    }

  private:
    bool Matches(uint16_t state, uint8_t symbol) const {
        return state < checks_.size() && checks_[state] == symbol;
    }

    std::vector<uint8_t> bases_;
    std::vector<uint8_t> checks_;
};

}  // namespace tarnik
