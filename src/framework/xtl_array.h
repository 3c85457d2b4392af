// XTLArray: a growable array of fixed-size elements kept in one block.
//
// Positions are 1-based; kXTLLast (0x7FFFFFFF) names the last element. The array
// orders its elements through a comparator object. Two flags steer searching:
// insert-in-order (chosen at creation) makes Insert keep the order, and sorted
// stays true while every change so far kept the elements in order. While sorted,
// Find is a binary search; once an append or a replacement breaks the order,
// Find falls back to a linear search, so it stays right either way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/xtl_comparator.h"

namespace tarnik {

inline constexpr int32_t kXTLLast = 0x7FFFFFFF;

class XTLArray {
  public:
    // Without a comparator, 4-byte elements get XTLLongComparator and any other
    // size XTLComparator. elementSize must not be 0.
    XTLArray(std::size_t elementSize, bool insertInOrder,
             std::unique_ptr<XTLComparator> comparator = nullptr);

    // Position of the first element equal to `element`, or 0 when there is none.
    int32_t Find(const void* element) const;

    // Inserts a copy of `element`: after its equals in order when insert-in-order
    // is set, else at the end. Returns its position.
    int32_t Insert(const void* element);

    // Overwrites the element at `position`; false when there is no such element.
    bool Replace(int32_t position, const void* element);

    // Copies the element at `position` into `out`; false outside 1..Count().
    bool Read(int32_t position, void* out) const;

    int32_t Count() const { return count_; }
    bool IsSorted() const { return sorted_; }
    bool InsertsInOrder() const { return insertInOrder_; }
    std::size_t ElementSize() const { return elementSize_; }

  private:
    const std::byte* At(int32_t index) const { return block_.data() + index * elementSize_; }
    std::byte* At(int32_t index) { return block_.data() + index * elementSize_; }
    // 0-based index of the element at a 1-based position (kXTLLast allowed), or -1.
    int32_t IndexOf(int32_t position) const;
    // 0-based index of the first element not less than (or, with `after`, greater
    // than) `element`; valid only while sorted.
    int32_t Bound(const void* element, bool after) const;

    std::size_t elementSize_;
    bool insertInOrder_;
    bool sorted_ = true;
    int32_t count_ = 0;
    std::unique_ptr<XTLComparator> comparator_;
    std::vector<std::byte> block_;
};

}  // namespace tarnik
