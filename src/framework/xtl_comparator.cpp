#include "framework/xtl_comparator.h"

#include <cstdint>
#include <cstring>

namespace tarnik {

int XTLComparator::Compare(const void* a, const void* b) const {
    return std::memcmp(a, b, elementSize_);
}

int XTLLongComparator::Compare(const void* a, const void* b) const {
    // Elements may sit at any byte offset of the array's block: copy, never cast.
    int32_t x = 0;
    int32_t y = 0;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    return (x > y) - (x < y);
}

}  // namespace tarnik
