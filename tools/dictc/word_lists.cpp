#include "tools/dictc/word_lists.h"

#include <algorithm>
#include <stdexcept>

namespace tarnik::tools {

std::vector<DoubleArray> PackWordList(std::vector<Codes> words) {
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    if (words.empty())
        return {};
    for (size_t pairs = 1; pairs <= kMaxListPairs; ++pairs) {
        std::vector<DoubleArray> arrays;
        try {
            for (size_t k = 0; k < pairs; ++k) {
                auto first = words.begin() + static_cast<ptrdiff_t>(words.size() * k / pairs);
                auto last = words.begin() + static_cast<ptrdiff_t>(words.size() * (k + 1) / pairs);
                arrays.push_back(PackDoubleArray(BuildMinimalAutomaton({first, last})));
            }
            return arrays;
        } catch (const std::length_error&) {
        }
    }
    throw std::length_error(std::to_string(words.size()) + " words do not fit in " +
                            std::to_string(kMaxListPairs) + " double arrays");
}

}  // namespace tarnik::tools
