#include "tools/dictc/expansion.h"

#include <algorithm>
#include <optional>

#include "tools/dictc/text_decoder.h"

namespace tarnik::tools {

namespace {

std::optional<std::u32string> ApplySuffix(const AffixRule& rule, const std::u32string& root) {
    if (root.size() <= rule.strip.size() || !root.ends_with(rule.strip) ||
        !ConditionHolds(rule, false, root))
        return std::nullopt;
    return root.substr(0, root.size() - rule.strip.size()) + rule.append;
}

std::optional<std::u32string> ApplyPrefix(const AffixRule& rule, const std::u32string& word) {
    if (word.size() <= rule.strip.size() || !word.starts_with(rule.strip) ||
        !ConditionHolds(rule, true, word))
        return std::nullopt;
    return rule.append + word.substr(rule.strip.size());
}

}  // namespace

std::vector<WordEntry> ReadWordList(std::istream& in, const std::string& encoding) {
    TextDecoder decoder(encoding);
    std::vector<WordEntry> entries;
    std::string line;
    std::getline(in, line);  // the entry count, a hint only
    while (std::getline(in, line)) {
        line = line.substr(0, line.find_first_of("\t \r"));
        if (line.empty())
            continue;
        size_t slash = line.find('/');
        WordEntry entry;
        entry.root = decoder.Decode(line.substr(0, slash));
        if (slash != std::string::npos)
            entry.flags = line.substr(slash + 1);
        if (!entry.root.empty())
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::vector<std::u32string>> ExpandEntry(const AffixRules& rules,
                                                     const WordEntry& entry) {
    std::vector<const AffixClass*> suffixes;
    std::vector<const AffixClass*> prefixes;
    std::string seen;
    for (char flag : entry.flags) {
        if (seen.find(flag) != std::string::npos)
            continue;
        seen.push_back(flag);
        auto found = rules.classes.find(static_cast<unsigned char>(flag));
        if (found != rules.classes.end())
            (found->second.prefix ? prefixes : suffixes).push_back(&found->second);
    }

    std::vector<std::vector<std::u32string>> groups(1, {entry.root});
    std::vector<std::u32string> crossable;
    for (const AffixClass* suffix : suffixes) {
        for (const AffixRule& rule : suffix->rules) {
            if (std::optional<std::u32string> form = ApplySuffix(rule, entry.root)) {
                if (suffix->crossProduct)
                    crossable.push_back(*form);
                groups[0].push_back(std::move(*form));
            }
        }
    }
    for (const AffixClass* prefix : prefixes) {
        for (const AffixRule& rule : prefix->rules) {
            std::vector<std::u32string> group;
            if (std::optional<std::u32string> form = ApplyPrefix(rule, entry.root))
                group.push_back(std::move(*form));
            if (prefix->crossProduct) {
                for (const std::u32string& suffixed : crossable) {
                    if (std::optional<std::u32string> form = ApplyPrefix(rule, suffixed))
                        group.push_back(std::move(*form));
                }
            }
            if (!group.empty())
                groups.push_back(std::move(group));
        }
    }
    return groups;
}

}  // namespace tarnik::tools
