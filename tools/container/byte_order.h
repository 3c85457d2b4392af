// Dictionary order of byte strings: the order of std::vector<uint8_t>'s own
// operator<, spelled out as a loop. The vector's comparison compiles to memcmp
// over a length g++ 12 cannot bound at -O3, and it then warns of an overread
// that cannot happen; the loop leaves it nothing to misjudge.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace tarnik::tools {

struct ByteOrder {
    bool operator()(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            std::less<uint8_t>{});
    }
};

}  // namespace tarnik::tools
