#include "platform/profile_document.h"

#include <algorithm>

namespace tarnik {

namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view Trim(std::string_view text) {
    constexpr std::string_view blanks = " \t";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == npos)
        return {};
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// The section a line opens, or nothing when it opens none.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    return Trim(line.substr(0, line.find(']')));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    std::size_t equals = line.find('=');
    if (equals == npos)
        return std::nullopt;
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

}  // namespace

bool SameProfileName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

ProfileDocument::ProfileDocument(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == npos ? npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            // Every carriage return before the line end goes, so that a value
            // reads the same after the file is written with its own line ending.
            while (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (lines_.empty())
                newline_ = "\r\n";
        }
        lines_.emplace_back(line);
        if (end == npos)
            break;
        start = end + 1;
    }
}

std::size_t ProfileDocument::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i]);
        if (name && SameProfileName(*name, section))
            return i;
    }
    return npos;
}

std::optional<std::string_view> ProfileDocument::Find(std::string_view section,
                                                      std::string_view key) const {
    std::size_t header = FindSection(section);
    if (header == npos)
        return std::nullopt;
    for (std::size_t i = header + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
        auto entry = ParseKeyLine(lines_[i]);
        if (entry && SameProfileName(entry->key, key))
            return entry->value;
    }
    return std::nullopt;
}

std::vector<ProfileDocument::Entry> ProfileDocument::Entries(std::string_view section) const {
    std::vector<Entry> entries;
    std::size_t header = FindSection(section);
    if (header == npos)
        return entries;
    for (std::size_t i = header + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
        if (auto entry = ParseKeyLine(lines_[i]))
            entries.push_back({i + 1, entry->key, entry->value});
    }
    return entries;
}

void ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key).append("=").append(value);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    std::size_t header = FindSection(section);
    if (header == npos) {
        if (!lines_.empty() && !Trim(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back(std::string("[").append(section).append("]"));
        lines_.push_back(std::move(line));
        return;
    }
    std::size_t insertAt = header + 1;
    for (std::size_t i = header + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
        auto entry = ParseKeyLine(lines_[i]);
        if (entry && SameProfileName(entry->key, key)) {
            lines_[i] = std::move(line);
            return;
        }
        // New keys go after the section's last non-blank line, before the blank
        // lines that separate it from the next section.
        if (!Trim(lines_[i]).empty())
            insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::string ProfileDocument::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += newline_;
    }
    return text;
}

}  // namespace tarnik
