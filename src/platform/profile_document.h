// The text of a settings file: sections and keys, one per line.
//
//   [1Typografia]
//   2Cudzyslow=1
//
// A line whose first non-blank character is '[' opens the section named up to
// the ']'; a line "key=value" inside a section gives a value; any other line
// (comments, junk, lines before the first section) is kept but never matched.
// Section and key names match without regard to ASCII case, and blanks around
// names and values are ignored, as in the private-profile files of the
// plug-in's first platform. Values are byte strings, passed through unchanged
// (the plug-in stores cp1250 text in them); surrounding quotes are not removed.
// The first of duplicate sections or keys wins.
//
// Setting a value rewrites only its own line (or adds one), so every other
// section, key, comment and line ending of the file survives a write.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnik {

// Section and key names compare so: without regard to ASCII case.
bool SameProfileName(std::string_view a, std::string_view b);

class ProfileDocument {
  public:
    ProfileDocument() = default;
    // Reads the text of a file; any bytes are accepted.
    explicit ProfileDocument(std::string_view text);

    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // The "key=value" lines of a section (the first of that name), in file order,
    // each with its line number from 1.
    struct Entry {
        std::size_t line;
        std::string_view key;
        std::string_view value;
    };
    std::vector<Entry> Entries(std::string_view section) const;

    // Replaces the key's value, or adds the key at the end of its section, or
    // adds the section at the end of the text. Line breaks inside the value
    // become spaces, since a value is one line.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The whole text, every line ended by the file's line ending ("\n" for a
    // new file, "\r\n" when the file's first line ended so).
    std::string Text() const;

  private:
    // Index of the line that opens `section`, or npos.
    std::size_t FindSection(std::string_view section) const;

    std::vector<std::string> lines_;
    std::string newline_ = "\n";
};

}  // namespace tarnik
