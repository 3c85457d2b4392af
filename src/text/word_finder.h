// How the spell check finds words, over any source of internal-code characters.
//
// The word scanner walks a host story with it; the pipe mode of the tarnik command
// walks a line of text with it, so both see exactly the same words.
#pragma once

#include <cstdint>
#include <string>

#include "charsets/char_classes.h"
#include "charsets/foreign_letters.h"
#include "charsets/internal_code.h"

namespace tarnik {

// The word buffer holds 319 characters and a NUL. A longer run of word characters
// is still one word over its whole range; its text keeps the first 319 characters.
constexpr int kMaxWordText = 319;

// Letters, which start a word and run on in it: the Polish alphabet, the other
// letters of cp1250 (é, ü, ř ...) and every letter without a cp1250 byte (ñ, ğ,
// Cyrillic ...), so that no word is cut at a foreign letter into a shorter word
// that might pass.
inline bool IsLetterCode(uint16_t code) {
    if (code < 256)
        return IsAlpha(static_cast<uint8_t>(code)) || IsForeignLetter(static_cast<uint8_t>(code));
    return IsLetterWithoutByte(code);
}

// Characters that belong to a word: letters, digits, '-', the discretionary hyphen
// 0x1F, 0xD7, and the combining marks of decomposed letters.
inline bool IsWordChar(uint16_t code) {
    if (IsLetterCode(code) || IsCombiningMark(code))
        return true;
    return code < 256 && (IsDigit(static_cast<uint8_t>(code)) || code == '-' ||
                          code == DiscretionaryHyphen || code == 0xD7);
}

// Characters of a word that go into its text as they are (the others lie inside
// its range only, or change the text as AppendWordChar says).
inline bool IsWordTextChar(uint16_t code) {
    return code < 256 && (IsAlnum(static_cast<uint8_t>(code)) ||
                          IsForeignLetter(static_cast<uint8_t>(code)) || code == '-');
}

// Adds one word character to a word's cp1250 text: a letter without a cp1250 byte
// as kUnheldLetter; a combining mark composes with the letter before it (e and
// U+0301 give é, z and U+0307 give ż), or makes it a letter cp1250 lacks.
inline void AppendWordChar(std::string& text, uint16_t code) {
    if (IsWordTextChar(code)) {
        text.push_back(static_cast<char>(code));
    } else if (IsCombiningMark(code)) {
        if (text.empty())
            return;
        auto last = static_cast<uint8_t>(text.back());
        if (!IsLetterCode(last) && last != kUnheldLetter)
            return;
        char16_t composed = last < 0x80 ? ComposeLatin(last, code) : 0;
        uint16_t internal = composed ? UnicodeToInternal(composed) : 0;
        text.back() = static_cast<char>(internal != 0 && internal < 256 ? internal : kUnheldLetter);
    } else if (IsLetterCode(code)) {
        text.push_back(static_cast<char>(kUnheldLetter));
    }
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
        if (static_cast<int>(text.size()) < kMaxWordText || IsCombiningMark(code))
            AppendWordChar(text, code);
        position = next > end ? end : next;
    }
    current = position;
    return true;
}

}  // namespace tarnik
