#include "platform/settings_check.h"

#include <algorithm>

#include "platform/profile_document.h"

namespace tarnik {

namespace {

// "0 or 1", "0, 1, 2 or 3".
std::string Choices(int highest) {
    std::string text;
    for (int value = 0; value < highest; ++value)
        text += std::to_string(value) + (value + 1 < highest ? ", " : " or ");
    return text + std::to_string(highest);
}

}  // namespace

std::vector<SettingsProblem> CheckSettingsSection(std::string_view text, std::string_view section,
                                                  std::span<const SettingRule> rules) {
    std::vector<SettingsProblem> problems;
    ProfileDocument document(text);
    for (const ProfileDocument::Entry& entry : document.Entries(section)) {
        auto rule = std::find_if(rules.begin(), rules.end(), [&](const SettingRule& candidate) {
            return SameProfileName(candidate.key, entry.key);
        });
        std::string name(entry.key);
        if (rule == rules.end()) {
            problems.push_back(
                {entry.line, "unknown key '" + name + "' in [" + std::string(section) + "]"});
        } else if (rule->highest >= 0) {
            std::string_view value = entry.value;
            if (value.size() != 1 || value[0] < '0' || value[0] > '0' + rule->highest) {
                problems.push_back({entry.line, "bad value '" + std::string(value) + "' for " +
                                                    name + " (" + Choices(rule->highest) + ")"});
            }
        } else if (entry.value.size() > rule->capacity) {
            problems.push_back({entry.line, "the value of " + name + " is longer than " +
                                                std::to_string(rule->capacity) + " bytes"});
        }
    }
    return problems;
}

std::vector<SettingsProblem> CheckSettingsText(std::string_view text) {
    size_t nul = text.find('\0');
    if (nul == std::string_view::npos)
        return {};
    size_t line = 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + nul, '\n'));
    return {{line, "not a settings file (a NUL byte)"}};
}

}  // namespace tarnik
