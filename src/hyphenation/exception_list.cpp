#include "hyphenation/exception_list.h"

#include <algorithm>
#include <cstring>

namespace tarnik {

ListRead ReadListEntry(ListBytes list, size_t offset, ListEntry& entry) {
    if (offset >= list.size())
        return ListRead::kDamaged;
    size_t n = list[offset];
    if (n == 0)
        return ListRead::kEnd;
    if (n < 4 || n > list.size() - offset)
        return ListRead::kDamaged;
    size_t length = list[offset + 1];
    if (length + 4 > n)
        return ListRead::kDamaged;
    entry.word = list.subspan(offset + 2, length);
    entry.breaks = list.subspan(offset + length + 3, n - length - 4);
    entry.size = n;
    return ListRead::kEntry;
}

bool IsWellFormedList(ListBytes list) {
    ListEntry entry;
    size_t offset = 0;
    for (;;) {
        switch (ReadListEntry(list, offset, entry)) {
            case ListRead::kEnd:
                return true;
            case ListRead::kDamaged:
                return false;
            case ListRead::kEntry:
                offset += entry.size;
        }
    }
}

ListPlace FindInList(ListBytes list, ListBytes word) {
    ListEntry entry;
    size_t offset = 0;
    while (ReadListEntry(list, offset, entry) == ListRead::kEntry) {
        if (entry.word.size() < word.size())
            break;
        if (entry.word.size() == word.size()) {
            int order = word.empty() ? 0 : std::memcmp(word.data(), entry.word.data(), word.size());
            if (order == 0)
                return {offset, true};
            if (order < 0)
                break;
        }
        offset += entry.size;
    }
    return {offset, false};
}

ExceptionWord ParseHyphenatedWord(ListBytes inputMap, std::string_view text) {
    ExceptionWord parsed;
    std::vector<size_t> breaks;
    for (char c : text) {
        if (c == '\0')
            break;
        auto byte = static_cast<uint8_t>(c);
        uint8_t code = byte < inputMap.size() && inputMap[byte] ? inputMap[byte] : byte;
        if (code == '-')
            breaks.push_back(parsed.word.size());
        else
            parsed.word.push_back(code);
    }
    for (size_t k : breaks) {
        bool inside = k > 0 && k < parsed.word.size() && k <= 255;
        if (inside && (parsed.breaks.empty() || parsed.breaks.back() != k))
            parsed.breaks.push_back(static_cast<uint8_t>(k));
    }
    return parsed;
}

ListInsert InsertInList(std::vector<uint8_t>& list, const ExceptionWord& word) {
    size_t n = word.word.size() + word.breaks.size() + 4;
    if (word.word.empty() || word.breaks.size() > kMaxExceptionBreaks || n > kMaxExceptionEntry)
        return ListInsert::kTooLong;
    ListPlace place = FindInList(list, word.word);
    if (place.found)
        return ListInsert::kPresent;
    std::vector<uint8_t> entry;
    entry.reserve(n);
    entry.push_back(static_cast<uint8_t>(n));
    entry.push_back(static_cast<uint8_t>(word.word.size()));
    entry.insert(entry.end(), word.word.begin(), word.word.end());
    entry.push_back(0);
    entry.insert(entry.end(), word.breaks.begin(), word.breaks.end());
    entry.push_back(0);
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(place.offset), entry.begin(),
                entry.end());
    return ListInsert::kAdded;
}

}  // namespace tarnik
