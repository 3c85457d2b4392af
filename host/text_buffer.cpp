#include "host/text_buffer.h"

#include <algorithm>

namespace tarnik::host {

TextBuffer::TextBuffer(const std::u16string& text)
    : units_(text.begin(), text.end()), styles_(text.size(), 0) {
    gapStart_ = gapEnd_ = units_.size();
}

void TextBuffer::MoveGap(size_t position) {
    if (position < gapStart_) {
        size_t count = gapStart_ - position;
        std::copy_backward(units_.begin() + position, units_.begin() + gapStart_,
                           units_.begin() + gapEnd_);
        std::copy_backward(styles_.begin() + position, styles_.begin() + gapStart_,
                           styles_.begin() + gapEnd_);
        gapStart_ -= count;
        gapEnd_ -= count;
    } else if (position > gapStart_) {
        size_t count = position - gapStart_;
        std::copy(units_.begin() + gapEnd_, units_.begin() + gapEnd_ + count,
                  units_.begin() + gapStart_);
        std::copy(styles_.begin() + gapEnd_, styles_.begin() + gapEnd_ + count,
                  styles_.begin() + gapStart_);
        gapStart_ += count;
        gapEnd_ += count;
    }
}

// Grows the gap to hold `count` more units; the buffer doubles, so inserts stay
// amortised constant.
void TextBuffer::Reserve(size_t count) {
    size_t gap = gapEnd_ - gapStart_;
    if (gap >= count)
        return;
    size_t newSize = std::max(units_.size() * 2, units_.size() - gap + count + 64);
    size_t tail = units_.size() - gapEnd_;
    std::vector<char16_t> units(newSize);
    std::vector<uint16_t> styles(newSize);
    std::copy(units_.begin(), units_.begin() + gapStart_, units.begin());
    std::copy(styles_.begin(), styles_.begin() + gapStart_, styles.begin());
    std::copy(units_.begin() + gapEnd_, units_.end(), units.end() - tail);
    std::copy(styles_.begin() + gapEnd_, styles_.end(), styles.end() - tail);
    units_.swap(units);
    styles_.swap(styles);
    gapEnd_ = newSize - tail;
}

void TextBuffer::Insert(int32_t position, const char16_t* units, int32_t count, uint16_t style) {
    if (count <= 0)
        return;
    MoveGap(static_cast<size_t>(position));
    Reserve(static_cast<size_t>(count));
    std::copy(units, units + count, units_.begin() + gapStart_);
    std::fill(styles_.begin() + gapStart_, styles_.begin() + gapStart_ + count, style);
    gapStart_ += static_cast<size_t>(count);
}

void TextBuffer::Erase(int32_t start, int32_t end) {
    if (end <= start)
        return;
    MoveGap(static_cast<size_t>(start));
    gapEnd_ += static_cast<size_t>(end - start);
}

std::u16string TextBuffer::Text() const {
    std::u16string text(units_.begin(), units_.begin() + gapStart_);
    text.append(units_.begin() + gapEnd_, units_.end());
    return text;
}

}  // namespace tarnik::host
