#include "tools/dictc/inflection_classes.h"

#include <algorithm>
#include <stdexcept>

#include "speller/letter_code.h"
#include "tools/container/byte_order.h"

namespace tarnik::tools {

std::vector<StemSplit> SplitIntoStems(std::vector<Codes> forms) {
    std::sort(forms.begin(), forms.end(), ByteOrder{});
    forms.erase(std::unique(forms.begin(), forms.end()), forms.end());
    std::vector<StemSplit> splits;
    for (size_t first = 0; first < forms.size();) {
        size_t last = first + 1;
        size_t common = forms[first].size();
        while (last < forms.size() && !forms[last].empty() && !forms[first].empty() &&
               forms[last][0] == forms[first][0]) {
            auto mismatch = std::mismatch(forms[first].begin(), forms[first].end(),
                                          forms[last].begin(), forms[last].end());
            common = std::min<size_t>(common, mismatch.first - forms[first].begin());
            ++last;
        }
        StemSplit split;
        split.stem.assign(forms[first].begin(), forms[first].begin() + common);
        for (size_t k = first; k < last; ++k)
            split.endings.emplace_back(forms[k].begin() + common, forms[k].end());
        splits.push_back(std::move(split));
        first = last;
    }
    return splits;
}

uint32_t ClassTable::Intern(const std::vector<Codes>& endings) {
    auto [it, inserted] = byEndings_.emplace(endings, static_cast<uint32_t>(endingsOf_.size()));
    if (inserted)
        endingsOf_.push_back(&it->first);
    return it->second;
}

void ClassTable::Finish() {
    if (byEndings_.size() > kMaxClasses)
        throw std::length_error(std::to_string(byEndings_.size()) +
                                " inflection classes; two class bytes number at most " +
                                std::to_string(kMaxClasses));
    rankOf_.assign(endingsOf_.size(), 0);
    uint32_t rank = 0;
    for (const auto& [endings, provisional] : byEndings_)
        rankOf_[provisional] = rank++;
}

ClassCode ClassTable::Code(uint32_t provisional) const {
    uint32_t rank = rankOf_.at(provisional);
    return {static_cast<uint8_t>(2 + rank / 255), static_cast<uint8_t>(1 + rank % 255)};
}

const std::vector<Codes>& ClassTable::Endings(uint32_t provisional) const {
    return *endingsOf_.at(provisional);
}

std::vector<Codes> ClassTable::EndingSequences() const {
    std::vector<Codes> sequences;
    for (const auto& [endings, provisional] : byEndings_) {
        ClassCode code = Code(provisional);
        for (const Codes& ending : endings) {
            Codes sequence{code.first, code.second};
            sequence.insert(sequence.end(), ending.begin(), ending.end());
            sequence.push_back(kEndMark);
            sequences.push_back(std::move(sequence));
        }
    }
    return sequences;
}

}  // namespace tarnik::tools
