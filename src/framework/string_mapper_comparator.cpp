#include "framework/string_mapper_comparator.h"

#include <cstring>

namespace tarnik {

bool CopyIntoMapperField(char (&field)[kStringMapperFieldSize], std::string_view text) {
    std::memset(field, 0, sizeof field);
    if (text.size() >= kStringMapperFieldSize)
        return false;
    std::memcpy(field, text.data(), text.size());
    return true;
}

int CStringMapperComparator::Compare(const void* a, const void* b) const {
    StringMapperEntry x;
    StringMapperEntry y;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    // Signed characters: texts with bytes of 0x80 and above sort before ASCII.
    for (std::size_t i = 0; i < kStringMapperFieldSize; ++i) {
        auto p = static_cast<signed char>(x.key[i]);
        auto q = static_cast<signed char>(y.key[i]);
        if (p != q)
            return p < q ? -1 : 1;
        if (p == 0)
            break;
    }
    return (x.language > y.language) - (x.language < y.language);
}

}  // namespace tarnik
