// The check of a settings file given to a run, before anything is read with
// it: one policy for every component's section. A key the section does not
// know, a number out of its range and a text longer than its field are
// refused with their lines, so that a misspelt key never passes unnoticed.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnik {

struct SettingsProblem {
    std::size_t line;  // from 1; 0 for the file as a whole
    std::string message;
};

// One key of a section and the values it takes.
struct SettingRule {
    const char* key;
    int highest;           // a number: one digit 0..highest; -1 for a text
    std::size_t capacity;  // a text: at most this many bytes
};

// The problems of `section` in a settings file's text, in line order: keys
// not in `rules`, numbers that are not one digit up to their highest, texts
// longer than their capacity. Other sections are not looked at, and a line
// that holds no key (a comment) is no key.
std::vector<SettingsProblem> CheckSettingsSection(std::string_view text, std::string_view section,
                                                  std::span<const SettingRule> rules);

// A file that holds a NUL byte is no settings file, whatever its sections: one
// problem naming the line, or none.
std::vector<SettingsProblem> CheckSettingsText(std::string_view text);

}  // namespace tarnik
