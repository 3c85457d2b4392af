#include "tools/dictc/word_lists.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tarnik::tools {

namespace {

using WordIterator = std::vector<Codes>::const_iterator;

Automaton RunAutomaton(WordIterator first, WordIterator last) {
    return BuildMinimalAutomaton({first, last});
}

// Every edge takes one slot of the array, so the edges bound the run from below.
size_t Edges(const Automaton& automaton) {
    size_t edges = 0;
    for (const auto& transitions : automaton.states)
        edges += transitions.size();
    return edges;
}

// The end of the longest run from `first` whose automaton has at most `budget`
// edges (at least one word).
WordIterator LongestRun(WordIterator first, WordIterator last, size_t budget) {
    auto fits = [&](size_t count) { return Edges(RunAutomaton(first, first + count)) <= budget; };
    size_t available = static_cast<size_t>(last - first);
    size_t good = 1;
    size_t bad = available + 1;
    for (size_t step = 2; step < bad; step *= 2) {
        if (!fits(std::min(step, available))) {
            bad = std::min(step, available);
            break;
        }
        good = std::min(step, available);
        if (good == available)
            return last;
    }
    while (bad - good > 1) {
        size_t middle = good + (bad - good) / 2;
        (fits(middle) ? good : bad) = middle;
    }
    return first + static_cast<ptrdiff_t>(good);
}

}  // namespace

std::vector<DoubleArray> PackWordList(std::vector<Codes> words, size_t maxArrays,
                                      size_t maxStates) {
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::vector<DoubleArray> arrays;
    for (WordIterator first = words.begin(); first != words.end();) {
        if (arrays.size() == maxArrays)
            throw std::length_error(std::to_string(words.size()) + " words do not fit in " +
                                    std::to_string(maxArrays) + " double arrays");
        // The layout leaves some slots unused; when a run does not fit after
        // all, it is shortened until it does.
        for (size_t budget = maxStates;; budget -= budget / 16) {
            WordIterator last = LongestRun(first, words.end(), budget);
            try {
                arrays.push_back(PackDoubleArray(RunAutomaton(first, last), maxStates));
                first = last;
                break;
            } catch (const std::length_error&) {
                if (last == first + 1)
                    throw;
            }
        }
    }
    return arrays;
}

}  // namespace tarnik::tools
