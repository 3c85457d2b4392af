// How the spell check finds words, over any source of internal-code characters.
//
// The word scanner walks a host story with it; the pipe mode of the tarnik command
// walks a line of text with it, so both see exactly the same words.
#pragma once

#include <cstdint>
#include <string>

#include "charsets/char_classes.h"

namespace tarnik {

// The word buffer holds 319 characters and a NUL. A longer run of word characters
// is still one word over its whole range; its text keeps the first 319 characters.
constexpr int kMaxWordText = 319;

// Characters that belong to a word: letters, digits, '-', the discretionary hyphen
// 0x1F, and 0xD6 and 0xD7.
inline bool IsWordChar(uint16_t code) {
    return code < 256 && (IsAlnum(static_cast<uint8_t>(code)) || code == '-' ||
                          code == DiscretionaryHyphen || code == 0xD6 || code == 0xD7);
}

// Characters of a word that go into its text (the others lie inside its range only).
inline bool IsWordTextChar(uint16_t code) {
    return code < 256 && (IsAlnum(static_cast<uint8_t>(code)) || code == '-');
}

inline bool IsLetterCode(uint16_t code) {
    return code < 256 &&
           (IsUpper(static_cast<uint8_t>(code)) || IsLower(static_cast<uint8_t>(code)));
}

// Finds the next word in [current, end) of `source`, which provides
//   uint16_t CharAt(int32_t position)        the internal code at a position
//   int32_t NextPosition(int32_t position)   the position after it (a plain step is +1)
// Skips to a letter, then takes word characters. On success sets `start` and
// `current` (the position reached, the word's end), fills `text` (cp1250) and
// returns true; returns false, with current = end, when no letter is left.
template <class Source>
bool FindNextWord(Source& source, int32_t& current, int32_t end, int32_t& start,
                  std::string& text) {
    text.clear();
    if (current >= end)
        return false;
    while (!IsLetterCode(source.CharAt(current))) {
        int32_t next = source.NextPosition(current);
        if (next <= current || next >= end) {
            current = end;
            return false;
        }
        current = next;
    }
    start = current;
    // One read per character: a story source asks the host for each one.
    int32_t position = current;
    while (position < end) {
        uint16_t code = source.CharAt(position);
        if (!IsWordChar(code))
            break;
        int32_t next = source.NextPosition(position);
        if (next <= position)
            break;
        if (IsWordTextChar(code) && static_cast<int>(text.size()) < kMaxWordText)
            text.push_back(static_cast<char>(code));
        position = next > end ? end : next;
    }
    current = position;
    return true;
}

}  // namespace tarnik
