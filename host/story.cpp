#include "host/story.h"

#include <algorithm>

#include "tarnik/xtabi.h"

namespace tarnik::host {

Story::Story(const std::u16string& text) : text_(text) {
    size_t paragraphs =
        1 + static_cast<size_t>(std::count_if(text.begin(), text.end(), IsParagraphEnd));
    paragraphHj_.assign(paragraphs, 0);
}

Story::Story(const std::u16string& text, std::vector<Anchor> anchors) : Story(text) {
    anchors_ = std::move(anchors);
}

const std::vector<int32_t>& Story::ParagraphStarts() const {
    if (!paragraphStartsValid_) {
        paragraphStarts_.assign(1, 0);
        for (int32_t p = 0; p < Length(); ++p) {
            if (IsParagraphEnd(UnitAt(p)))
                paragraphStarts_.push_back(p + 1);
        }
        paragraphStartsValid_ = true;
    }
    return paragraphStarts_;
}

int32_t Story::ParagraphIndexAt(int32_t position) const {
    const auto& starts = ParagraphStarts();
    auto it = std::upper_bound(starts.begin(), starts.end(), position);
    return static_cast<int32_t>(it - starts.begin()) - 1;
}

bool Story::ParagraphRun(int32_t index, int32_t& start, int32_t& length) const {
    const auto& starts = ParagraphStarts();
    if (index < 0 || static_cast<size_t>(index) >= starts.size())
        return false;
    start = starts[static_cast<size_t>(index)];
    int32_t end = static_cast<size_t>(index) + 1 < starts.size()
                      ? starts[static_cast<size_t>(index) + 1]
                      : Length();
    length = end - start;
    return true;
}

void Story::Insert(int32_t position, const char16_t* units, int32_t count, uint16_t style) {
    if (count <= 0)
        return;
    auto separators = std::count_if(units, units + count, IsParagraphEnd);
    if (separators > 0) {
        // The paragraph that is split hands its H&J to every new paragraph.
        int32_t index = ParagraphIndexAt(position);
        uint16_t hj = paragraphHj_[static_cast<size_t>(index)];
        paragraphHj_.insert(paragraphHj_.begin() + index + 1, static_cast<size_t>(separators), hj);
    }
    text_.Insert(position, units, count, style);
    paragraphStartsValid_ = false;
    for (auto& anchor : anchors_) {
        if (anchor.position >= position)
            anchor.position += count;
    }
    // A caret at the insertion point moves behind the new text, as when typing.
    bool caret = selectionStart == selectionEnd;
    if (selectionStart > position || (caret && selectionStart == position))
        selectionStart += count;
    if (selectionEnd > position || (caret && selectionEnd == position))
        selectionEnd += count;
}

std::vector<int> Story::Erase(int32_t start, int32_t end) {
    std::vector<int> removed;
    if (end <= start)
        return removed;
    int32_t separators = 0;
    for (int32_t p = start; p < end; ++p)
        separators += IsParagraphEnd(UnitAt(p)) ? 1 : 0;
    if (separators > 0) {
        // The joined paragraph keeps the H&J of its first part.
        int32_t index = ParagraphIndexAt(start);
        paragraphHj_.erase(paragraphHj_.begin() + index + 1,
                           paragraphHj_.begin() + index + 1 + separators);
    }
    text_.Erase(start, end);
    paragraphStartsValid_ = false;
    int32_t count = end - start;
    std::vector<Anchor> kept;
    for (const auto& anchor : anchors_) {
        if (anchor.position >= start && anchor.position < end) {
            removed.push_back(anchor.item);
        } else {
            kept.push_back(
                {anchor.position >= end ? anchor.position - count : anchor.position, anchor.item});
        }
    }
    anchors_.swap(kept);
    auto move = [&](int32_t& bound) {
        if (bound >= end) {
            bound -= count;
        } else if (bound > start) {
            bound = start;
        }
    };
    move(selectionStart);
    move(selectionEnd);
    return removed;
}

void Story::SetAnchorItem(int32_t position, int item) {
    auto it = std::lower_bound(anchors_.begin(), anchors_.end(), position,
                               [](const Anchor& a, int32_t p) { return a.position < p; });
    if (it != anchors_.end() && it->position == position)
        it->item = item;
}

int Story::AnchorAt(int32_t position) const {
    auto it = std::lower_bound(anchors_.begin(), anchors_.end(), position,
                               [](const Anchor& a, int32_t p) { return a.position < p; });
    return it != anchors_.end() && it->position == position ? it->item : -1;
}

}  // namespace tarnik::host
