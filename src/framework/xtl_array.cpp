#include "framework/xtl_array.h"

#include <cassert>
#include <cstring>

namespace tarnik {

XTLArray::XTLArray(std::size_t elementSize, bool insertInOrder,
                   std::unique_ptr<XTLComparator> comparator)
    : elementSize_(elementSize), insertInOrder_(insertInOrder), comparator_(std::move(comparator)) {
    assert(elementSize_ > 0);
    if (!comparator_) {
        if (elementSize_ == 4) {
            comparator_ = std::make_unique<XTLLongComparator>();
        } else {
            comparator_ = std::make_unique<XTLComparator>(elementSize_);
        }
    }
}

int32_t XTLArray::IndexOf(int32_t position) const {
    if (count_ == 0)
        return -1;
    if (position == kXTLLast)
        return count_ - 1;
    if (position < 1 || position > count_)
        return -1;
    return position - 1;
}

int32_t XTLArray::Bound(const void* element, bool after) const {
    int32_t low = 0;
    int32_t high = count_;
    while (low < high) {
        int32_t middle = low + (high - low) / 2;
        int order = comparator_->Compare(At(middle), element);
        if (order < 0 || (after && order == 0)) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

int32_t XTLArray::Find(const void* element) const {
    if (sorted_) {
        int32_t index = Bound(element, false);
        if (index < count_ && comparator_->Compare(At(index), element) == 0)
            return index + 1;
        return 0;
    }
    for (int32_t index = 0; index < count_; ++index) {
        if (comparator_->Compare(At(index), element) == 0)
            return index + 1;
    }
    return 0;
}

int32_t XTLArray::Insert(const void* element) {
    int32_t index = count_;
    if (insertInOrder_ && sorted_) {
        index = Bound(element, true);
    } else if (sorted_ && count_ > 0 && comparator_->Compare(At(count_ - 1), element) > 0) {
        // An append that breaks the order (also once an in-order array lost it
        // through a replacement): from now on searches are linear.
        sorted_ = false;
    }
    block_.insert(block_.begin() + index * elementSize_, elementSize_, std::byte{0});
    std::memcpy(At(index), element, elementSize_);
    ++count_;
    return index + 1;
}

bool XTLArray::Replace(int32_t position, const void* element) {
    int32_t index = IndexOf(position);
    if (index < 0)
        return false;
    std::memcpy(At(index), element, elementSize_);
    if (sorted_) {
        bool afterPrevious = index == 0 || comparator_->Compare(At(index - 1), At(index)) <= 0;
        bool beforeNext =
            index == count_ - 1 || comparator_->Compare(At(index), At(index + 1)) <= 0;
        sorted_ = afterPrevious && beforeNext;
    }
    return true;
}

bool XTLArray::Read(int32_t position, void* out) const {
    int32_t index = IndexOf(position);
    if (index < 0)
        return false;
    std::memcpy(out, At(index), elementSize_);
    return true;
}

}  // namespace tarnik
