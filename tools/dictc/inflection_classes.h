// Stems and inflection classes: how the small forms of the main dictionary are
// folded into stems that each carry a class, a set of endings.
//
// The forms of one dictionary entry that share a prefix (the root with its
// suffixed forms, or those with one prefix) become one stem, their longest common
// beginning, and one class, the set of what follows it. Entries inflected alike
// share a class. Class numbers are two bytes: the first 2 to 43, the second 1 to
// 255, numbered in the order of their ending sets, so the same source always
// gives the same numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace tarnik::tools {

using Codes = std::vector<uint8_t>;

struct StemSplit {
    Codes stem;
    std::vector<Codes> endings;  // sorted, unique; the empty ending is {}
};

// Splits a group of small forms (letter codes, no end mark) into stems: forms are
// grouped by first letter, and each group becomes its longest common prefix with
// the endings that follow it.
std::vector<StemSplit> SplitIntoStems(std::vector<Codes> forms);

struct ClassCode {
    uint8_t first;
    uint8_t second;
};

inline constexpr uint32_t kMaxClasses = 42 * 255;

class ClassTable {
  public:
    // The provisional number of the class with these endings (sorted, unique).
    uint32_t Intern(const std::vector<Codes>& endings);

    // Numbers the classes in ending-set order. Throws std::length_error past
    // kMaxClasses. Afterwards Code() and Endings() take provisional numbers.
    void Finish();

    size_t Count() const { return byEndings_.size(); }
    ClassCode Code(uint32_t provisional) const;
    const std::vector<Codes>& Endings(uint32_t provisional) const;

    // The ending table's keys: class bytes, ending, end mark; sorted.
    std::vector<Codes> EndingSequences() const;

  private:
    std::map<std::vector<Codes>, uint32_t> byEndings_;
    std::vector<const std::vector<Codes>*> endingsOf_;  // by provisional number
    std::vector<uint32_t> rankOf_;                      // by provisional number
};

}  // namespace tarnik::tools
