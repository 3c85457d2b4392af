#include "tools/hyphc/pattern_file.h"

#include <sstream>
#include <stdexcept>

namespace tarnik::tools {
namespace {

std::string Trim(const std::string& line) {
    size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    size_t last = line.find_last_not_of(" \t\r\n");
    return line.substr(first, last - first + 1);
}

[[noreturn]] void Fail(int lineNumber, const std::string& message) {
    throw std::runtime_error("line " + std::to_string(lineNumber) + ": " + message);
}

// Handles a directive line; false when the line is no directive.
bool ReadDirective(const std::string& line, int lineNumber, PatternFile& file) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    if (name == "LEFTHYPHENMIN" || name == "RIGHTHYPHENMIN") {
        int value = 0;
        if (!(words >> value))
            Fail(lineNumber, name + " needs a number");
        if (value != 2)
            file.warnings.push_back("line " + std::to_string(lineNumber) + ": " + name + " " +
                                    std::to_string(value) +
                                    " not kept: breaks always leave two letters on each side");
        return true;
    }
    if (name == "COMPOUNDLEFTHYPHENMIN" || name == "COMPOUNDRIGHTHYPHENMIN" || name == "NOHYPHEN") {
        file.warnings.push_back("line " + std::to_string(lineNumber) + ": " + name + " ignored");
        return true;
    }
    if (name == "NEXTLEVEL")
        Fail(lineNumber, "NEXTLEVEL (a second pattern level) is not supported");
    return false;
}

Pattern ReadPattern(const std::string& text, int lineNumber) {
    Pattern pattern;
    pattern.levels.push_back(0);
    for (char c : text) {
        auto byte = static_cast<uint8_t>(c);
        if (byte >= '0' && byte <= '9') {
            pattern.levels.back() = static_cast<uint8_t>(byte - '0');
        } else if (byte == '/' || byte == '=' || byte == ',') {
            Fail(lineNumber, "non-standard pattern '" + text + "' is not supported");
        } else if (byte <= ' ' || byte == 0x80) {
            Fail(lineNumber, "pattern '" + text + "' holds a character that cannot be a letter");
        } else {
            pattern.codes.push_back(byte);
            pattern.levels.push_back(0);
        }
    }
    if (pattern.codes.empty())
        Fail(lineNumber, "pattern '" + text + "' has no letters");
    if (pattern.codes.size() > 250)
        Fail(lineNumber, "pattern longer than 250 letters");
    return pattern;
}

}  // namespace

PatternFile ReadPatternFile(std::istream& in) {
    PatternFile file;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        std::string text = Trim(line);
        if (text.empty() || text[0] == '%' || text[0] == '#')
            continue;
        if (file.encoding.empty()) {
            file.encoding = text;
            continue;
        }
        if (ReadDirective(text, lineNumber, file))
            continue;
        file.patterns.push_back(ReadPattern(text, lineNumber));
    }
    if (file.encoding.empty())
        throw std::runtime_error("the file is empty: its first line must name the encoding");
    return file;
}

}  // namespace tarnik::tools
