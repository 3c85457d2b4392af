// The text of a story: UTF-16 units, each with its character style flags, in a gap
// buffer. The gap follows the edits, so a walk that reads, inserts and deletes one
// character at a time through a long story costs time linear in the story's length.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnik::host {

class TextBuffer {
  public:
    TextBuffer() = default;
    explicit TextBuffer(const std::u16string& text);

    int32_t Length() const { return static_cast<int32_t>(units_.size() - gapEnd_ + gapStart_); }
    // The caller keeps 0 <= position < Length().
    char16_t UnitAt(int32_t position) const { return units_[Index(position)]; }
    uint16_t StyleAt(int32_t position) const { return styles_[Index(position)]; }
    void SetStyle(int32_t position, uint16_t style) { styles_[Index(position)] = style; }

    // Inserts `count` units at `position` (0..Length()), all with `style`.
    void Insert(int32_t position, const char16_t* units, int32_t count, uint16_t style);
    // Removes [start, end); the caller keeps 0 <= start <= end <= Length().
    void Erase(int32_t start, int32_t end);

    std::u16string Text() const;

  private:
    size_t Index(int32_t position) const {
        auto p = static_cast<size_t>(position);
        return p < gapStart_ ? p : p + (gapEnd_ - gapStart_);
    }
    void MoveGap(size_t position);
    void Reserve(size_t count);

    std::vector<char16_t> units_;
    std::vector<uint16_t> styles_;
    size_t gapStart_ = 0;
    size_t gapEnd_ = 0;
};

}  // namespace tarnik::host
