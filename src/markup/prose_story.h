// The prose of a marked-up text as a story for the plug-in's commands
// (hyphenation, typography, the spell check), and the corrected story written
// back into the text.
//
// Each line's spans (markup.h) go into the story as they are read: prose as its
// characters (an escape as the character it stands for), and each stretch of
// markup as one mark that the commands never change:
//   kInlineMark  inline markup; the typography's neighbour searches pass over
//                it, so <b>„</b>Cytat” is seen as „Cytat”;
//   kObjectMark  markup that stands in a sentence like a word (math, code);
//   kBreakMark   markup between blocks: a break, as a line's end is.
// The corrected story is handed back in order, in as many parts as the caller
// likes, and written out: every mark as the markup it stands for, every
// character the command kept as it was written (an escape as the escape), and
// every character the command put in as the format writes it (TeX's ~ and ,,
// '' --, HTML's references when the file uses them) — so the output differs
// from the input only inside prose, and only where the command changed it.
//
// The story and the corrected text are matched character by character: the
// commands insert, delete or replace single characters (a space, a soft hyphen,
// a quotation mark) or change a word, and the marks, which they never touch,
// keep the matching in step. Memory holds the text that has gone into the
// story and has not yet come back.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "markup/markup.h"

namespace tarnik::markup {

inline constexpr char16_t kInlineMark = 0x001E;
inline constexpr char16_t kObjectMark = 0xE000;
inline constexpr char16_t kBreakMark = 0x001D;

inline bool IsMark(char16_t unit) {
    return unit == kInlineMark || unit == kObjectMark || unit == kBreakMark;
}

// How a format writes the characters a command puts in, following what the
// file already does: a character the file has written as an escape is written
// as that escape again; otherwise TeX writes ~ ,, '' `` -- --- (unless the file
// holds the characters themselves), nroff its escapes \~ \(Bq \(rq \(en \(em,
// HTML its references only when the file writes characters beyond ASCII as
// references, and every format a soft hyphen as U+00AD (so that removing soft
// hyphens takes out what hyphenation put in, and none of the writer's own
// \- or \%).
class Spelling {
  public:
    explicit Spelling(TextFormat format = TextFormat::kPlain) : format_(format) {}

    // What the line shows of the file's ways.
    void Observe(std::string_view line, const std::vector<Span>& spans);
    // Appends `unit` as the format writes it; false when it is written as it
    // is (UTF-8), which the caller does.
    bool Write(char16_t unit, std::string& out) const;

  private:
    struct Seen {
        char16_t character;
        std::string spelling;
    };
    const std::string* EscapeOf(char16_t character) const;

    TextFormat format_;
    std::vector<Seen> escapes_;   // the first escape of each character
    std::u16string rawSeen_;      // characters of interest seen as themselves
    bool rawBeyondAscii_ = false;  // prose holds characters beyond ASCII as they are
    bool referencesBeyondAscii_ = false;  // and as references
};

class ProseStory {
  public:
    struct Options {
        // Hyphenation: a writer's discretionary (TeX \-, nroff \%) is kept even
        // when the command takes its soft hyphen out, and no soft hyphen is put
        // into a word that holds one.
        bool keepDiscretionaries = false;
    };

    explicit ProseStory(TextFormat format = TextFormat::kPlain);
    ProseStory(TextFormat format, Options options);

    // Appends the story's units of one line (as Reader::ReadLine cut it) to
    // `story`.
    void AddLine(std::string_view line, const std::vector<Span>& spans, std::u16string& story);

    // The next part of the corrected story; what can be written is appended to
    // `out` (a character or two may wait for the next part).
    void Take(std::u16string_view corrected, std::string& out);
    // The corrected story has ended: the rest is written.
    void Finish(std::string& out);

    // Corrected units taken and not yet written (they wait for the next).
    size_t Held() const { return pending_.size(); }
    // Units added and not yet matched.
    size_t Pending() const { return old_.size() - matched_; }
    // Whether what was written so far differs from the text read: a character
    // was put in, replaced or taken out.
    bool Changed() const { return changed_; }

  private:
    struct Special {
        uint64_t index;  // in the units added
        std::string bytes;
        bool discretionary = false;
    };

    void Align(bool final, std::string& out);
    void AlignWindow(size_t& i, size_t& j, std::string& out);
    char16_t OldAt(size_t i) const { return old_[i]; }
    const Special* SpecialAt(uint64_t index) const;
    void WriteOld(size_t i, std::string& out);
    void DropOld(size_t i, std::string& out);
    void WriteNew(char16_t unit, std::string& out);
    void FlushUnits(std::string& out, bool all);
    bool WordHoldsDiscretionary(size_t i) const;
    void Trim();

    Options options_;
    Spelling spelling_;
    std::u16string old_;     // the units added, from base_ on
    uint64_t base_ = 0;      // the index of old_[0]
    size_t matched_ = 0;     // old_[0, matched_) are matched
    std::deque<Special> specials_;
    std::u16string pending_;  // corrected units not yet matched
    std::u16string units_;    // units to be written as UTF-8
    bool discretionaryInWord_ = false;
    bool changed_ = false;
};

}  // namespace tarnik::markup
