// The letter classes the hyphenation commands read words by: the letters of the
// Polish alphabet (A-Z, a-z and the 18 Polish letters, cp1250), the hyphen and
// the dashes that join words, and the discretionary hyphen.
#pragma once

#include <array>
#include <cstdint>

namespace tarnik {

struct HyphLetterClasses {
    static constexpr uint16_t kLetter = 0x01;
    static constexpr uint16_t kHyphenOrDash = 0x02;   // '-', en dash 0x96, em dash 0x97
    static constexpr uint16_t kDiscretionary = 0x04;  // DiscretionaryHyphen

    std::array<uint16_t, 256> flags{};

    bool IsLetter(uint8_t c) const { return flags[c] & kLetter; }
    bool IsHyphenOrDash(uint8_t c) const { return flags[c] & kHyphenOrDash; }
    bool IsDiscretionary(uint8_t c) const { return flags[c] & kDiscretionary; }
};

// The filled table; the hyphenation component builds it when it is activated.
HyphLetterClasses BuildHyphLetterClasses();

}  // namespace tarnik
