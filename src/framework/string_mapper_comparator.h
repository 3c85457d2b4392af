// The string translation record and its comparator.
//
// A StringMapperEntry maps a key text in one language to its translation. Both
// texts live in fixed 512-byte fields, NUL-terminated; the entries of a table
// sort by key text, compared byte by byte as signed characters, then by
// language code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/xtl_comparator.h"

namespace tarnik {

inline constexpr std::size_t kStringMapperFieldSize = 512;

struct StringMapperEntry {
    char key[kStringMapperFieldSize];
    uint16_t language;
    char text[kStringMapperFieldSize];
};

// Copies `text` into a 512-byte field. A text of 512 bytes or more does not
// fit with its terminator and is stored as the empty string; returns whether
// the text fitted.
bool CopyIntoMapperField(char (&field)[kStringMapperFieldSize], std::string_view text);

class CStringMapperComparator : public XTLComparator {
  public:
    CStringMapperComparator() : XTLComparator(sizeof(StringMapperEntry)) {}
    int Compare(const void* a, const void* b) const override;
};

}  // namespace tarnik
