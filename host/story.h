// A story: the text that a text box, or a chain of linked text boxes, shows.
//
// The text is UTF-16 with per-character style flags (the no-break bit among them).
// Paragraphs end at '\r' or '\n' (the separator belongs to its paragraph); each has
// the number of its H&J specification. An anchored item sits at an anchor character
// (U+FFFC) of the text. The selection is kept per story. Every edit keeps the
// anchors, the paragraphs and the selection in step with the text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/text_buffer.h"

namespace tarnik::host {

struct Anchor {
    int32_t position;
    int item;  // index into Document::items
};

class Story {
  public:
    explicit Story(const std::u16string& text = {});
    // A story whose text holds its anchor characters already; `anchors` is sorted by
    // position, one for each of them.
    Story(const std::u16string& text, std::vector<Anchor> anchors);

    int32_t Length() const { return text_.Length(); }
    char16_t UnitAt(int32_t position) const { return text_.UnitAt(position); }
    uint16_t StyleAt(int32_t position) const { return text_.StyleAt(position); }
    void SetStyle(int32_t position, uint16_t style) { text_.SetStyle(position, style); }
    std::u16string Text() const { return text_.Text(); }

    // Inserts with the given style. The caller keeps 0 <= position <= Length().
    void Insert(int32_t position, const char16_t* units, int32_t count, uint16_t style);
    // Deletes [start, end) and returns the items whose anchor characters went with it.
    std::vector<int> Erase(int32_t start, int32_t end);
    // Hands the anchor at `position` to another item.
    void SetAnchorItem(int32_t position, int item);

    const std::vector<Anchor>& Anchors() const { return anchors_; }
    // The item anchored at `position`, or -1.
    int AnchorAt(int32_t position) const;

    int32_t ParagraphCount() const { return static_cast<int32_t>(paragraphHj_.size()); }
    // Start and length of paragraph `index`; false past the last.
    bool ParagraphRun(int32_t index, int32_t& start, int32_t& length) const;
    uint16_t ParagraphHj(int32_t index) const { return paragraphHj_[static_cast<size_t>(index)]; }
    void SetParagraphHj(int32_t index, uint16_t hj) {
        paragraphHj_[static_cast<size_t>(index)] = hj;
    }

    int32_t selectionStart = 0;
    int32_t selectionEnd = 0;

    static bool IsParagraphEnd(char16_t unit) { return unit == u'\r' || unit == u'\n'; }

  private:
    int32_t ParagraphIndexAt(int32_t position) const;
    const std::vector<int32_t>& ParagraphStarts() const;

    TextBuffer text_;
    std::vector<uint16_t> paragraphHj_;
    std::vector<Anchor> anchors_;  // sorted by position
    mutable std::vector<int32_t> paragraphStarts_;
    mutable bool paragraphStartsValid_ = false;
};

}  // namespace tarnik::host
