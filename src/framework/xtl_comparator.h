// Comparators of XTLArray elements. An array holds fixed-size records in one
// block and orders them through a comparator object; a record type with a
// layout of its own gets a comparator subclass (CStringMapperComparator).
#pragma once

#include <cstddef>

namespace tarnik {

// Compares whole elements byte by byte as unsigned bytes (memcmp order).
class XTLComparator {
  public:
    explicit XTLComparator(std::size_t elementSize) : elementSize_(elementSize) {}
    virtual ~XTLComparator() = default;

    // Negative, 0 or positive as a sorts before, equal to or after b.
    virtual int Compare(const void* a, const void* b) const;

    std::size_t ElementSize() const { return elementSize_; }

  private:
    std::size_t elementSize_;
};

// Compares the leading 32-bit signed value of each element (native byte order).
// Records that start with a 32-bit key, such as the dialog translation entries,
// sort by that key with it. Elements must be at least 4 bytes long.
class XTLLongComparator : public XTLComparator {
  public:
    explicit XTLLongComparator(std::size_t elementSize = 4) : XTLComparator(elementSize) {}
    int Compare(const void* a, const void* b) const override;
};

}  // namespace tarnik
