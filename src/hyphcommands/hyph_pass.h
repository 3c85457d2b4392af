// The walk of a hyphenation pass through a range of a story, word by word, and
// the change that puts one word's hyphenation points into the text.
//
// A word starts at a letter and runs over letters, digits and discretionary
// hyphens (0x1F); a hyphen, a dash or any other character ends it. Its text
// keeps the letters and digits, not the discretionary hyphens. A word followed
// by a hyphen ("biało-czerwony") is a compound: the hyphen is kept on its line
// with the host's no-break style and gets a discretionary hyphen before it, so
// that a line broken there ends in "biało-" and the next begins with
// "-czerwony", as Polish typesetting repeats the hyphen.
//
// A word is hyphenated within its first kMaxHyphWordLetters letters and digits;
// the rest of a longer word is passed over untouched, and its hyphen, if one
// follows, is left as it is. Counting letters rather than positions makes the
// cut fall at the same letter however many points the word already holds, so
// hyphenating twice gives what hyphenating once gave.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/host_api.h"

namespace tarnik {

inline constexpr int32_t kMaxHyphWordLetters = 100;

struct HyphWord {
    int32_t start = 0;
    int32_t end = 0;        // the end of the part to hyphenate
    std::string text;       // its letters and digits, cp1250
    bool compound = false;  // a hyphen follows at `end`, inside the pass's range
};

// A pass over [start, end) of a box's story.
class HyphPass {
  public:
    HyphPass(XTBox box, XTStory story, int32_t start, int32_t end)
        : box_(box), story_(story), current_(start), end_(end) {}

    // The next word of the range: 1 with `word` filled, 0 when no letter is left
    // (the walk then stands at the end). The walk moves past the whole word,
    // also past the letters after the cut.
    int NextHyphWord(HyphWord& word);

    // The text before or at the walk's position changed in length by `delta`.
    void Shift(int32_t delta) {
        current_ += delta;
        end_ += delta;
    }

    XTBox Box() const { return box_; }
    XTStory Story() const { return story_; }
    int32_t Current() const { return current_; }
    int32_t End() const { return end_; }

  private:
    XTBox box_;
    XTStory story_;
    int32_t current_;
    int32_t end_;
};

// Widens [start, end) of a story of `length` characters to whole words: a word
// the range cuts at either edge is taken whole, so that a pass over a selection
// never treats a piece of a word as a word (and deletes points valid in the
// whole one).
void WidenToWholeWords(XTStory story, int32_t length, int32_t& start, int32_t& end);

// Makes the discretionary hyphens of [word.start, word.end) those of
// `hyphenated` (the word's letters with '-' at each allowed break): a point the
// hyphenation confirms stays, one it does not allow is deleted, a missing one
// is inserted. The hyphenation stops at a digit, so the part of the word from
// its first digit on is kept as it is, points included; a run of points at the
// very end of the word is deleted, except the one a compound's hyphen keeps.
// Then, for a compound, the hyphen gets the no-break style when it lacks it and
// a point before it when there is none. Returns the change in length.
int32_t ApplyHyphenation(XTBox box, XTStory story, const HyphWord& word,
                         std::string_view hyphenated);

}  // namespace tarnik
