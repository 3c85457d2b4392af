#include "tools/dictc/affix_rules.h"

#include <sstream>
#include <stdexcept>

#include "tools/dictc/text_decoder.h"

namespace tarnik::tools {

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> fields;
    for (std::string field; in >> field;)
        fields.push_back(field);
    return fields;
}

[[noreturn]] void Fail(size_t lineNumber, const std::string& what) {
    throw std::runtime_error("affix file line " + std::to_string(lineNumber) + ": " + what);
}

std::vector<ConditionPosition> ParseCondition(const std::u32string& text, size_t lineNumber) {
    std::vector<ConditionPosition> condition;
    if (text == U".")
        return condition;
    for (size_t i = 0; i < text.size(); ++i) {
        ConditionPosition position;
        if (text[i] == U'.') {
            position.any = true;
        } else if (text[i] == U'[') {
            size_t close = text.find(U']', i);
            if (close == std::u32string::npos)
                Fail(lineNumber, "condition with an unclosed [");
            size_t first = i + 1;
            if (first < close && text[first] == U'^') {
                position.negated = true;
                ++first;
            }
            position.characters = text.substr(first, close - first);
            i = close;
        } else {
            position.characters = text.substr(i, 1);
        }
        condition.push_back(position);
    }
    return condition;
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

bool ConditionPosition::Matches(char32_t c) const {
    if (any)
        return true;
    return (characters.find(c) != std::u32string::npos) != negated;
}

bool ConditionHolds(const AffixRule& rule, bool prefix, const std::u32string& word) {
    const auto& condition = rule.condition;
    if (word.size() < condition.size())
        return false;
    size_t start = prefix ? 0 : word.size() - condition.size();
    for (size_t k = 0; k < condition.size(); ++k) {
        if (!condition[k].Matches(word[start + k]))
            return false;
    }
    return true;
}

AffixRules ReadAffixRules(std::istream& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);

    AffixRules rules;
    for (const std::string& line : lines) {
        std::vector<std::string> fields = Fields(line);
        if (fields.size() >= 2 && fields[0] == "SET")
            rules.encoding = fields[1];
    }
    TextDecoder decoder(rules.encoding);

    // Rules still owed to the class whose header was read last.
    unsigned char openFlag = 0;
    size_t rulesOwed = 0;
    for (size_t n = 0; n < lines.size(); ++n) {
        size_t lineNumber = n + 1;
        std::vector<std::string> fields = Fields(lines[n]);
        if (fields.empty() || fields[0][0] == '#')
            continue;
        const std::string& directive = fields[0];
        if (directive == "REP") {
            // "REP n" announces the pairs; "REP from to" is one of them.
            if (fields.size() == 3)
                rules.replacements.push_back(
                    {decoder.Decode(fields[1]), decoder.Decode(fields[2])});
            else if (fields.size() != 2 || !IsNumber(fields[1]))
                Fail(lineNumber, "malformed REP line");
            continue;
        }
        if (directive == "SET" || directive == "TRY" || directive == "MAP")
            continue;
        if (directive != "PFX" && directive != "SFX")
            Fail(lineNumber, "the directive " + directive +
                                 " is not supported: it would change which words are correct");
        bool prefix = directive == "PFX";
        if (fields.size() < 4 || fields[1].size() != 1)
            Fail(lineNumber, "malformed " + directive + " line");
        unsigned char flag = static_cast<unsigned char>(fields[1][0]);
        bool header = rulesOwed == 0 || flag != openFlag;
        if (header) {
            if (rulesOwed != 0)
                Fail(lineNumber, "the class before this line has fewer rules than it announced");
            if ((fields[2] != "Y" && fields[2] != "N") || !IsNumber(fields[3]))
                Fail(lineNumber, "malformed " + directive + " header");
            if (rules.classes.count(flag))
                Fail(lineNumber, "the flag " + fields[1] + " is defined twice");
            AffixClass& affixClass = rules.classes[flag];
            affixClass.prefix = prefix;
            affixClass.crossProduct = fields[2] == "Y";
            openFlag = flag;
            rulesOwed = std::stoul(fields[3]);
            continue;
        }
        AffixClass& affixClass = rules.classes[flag];
        if (affixClass.prefix != prefix)
            Fail(lineNumber, "a rule of the wrong kind for the flag " + fields[1]);
        if (fields[3].find('/') != std::string::npos)
            Fail(lineNumber, "affixes with continuation flags are not supported");
        AffixRule rule;
        if (fields[2] != "0")
            rule.strip = decoder.Decode(fields[2]);
        if (fields[3] != "0")
            rule.append = decoder.Decode(fields[3]);
        rule.condition =
            ParseCondition(decoder.Decode(fields.size() > 4 ? fields[4] : "."), lineNumber);
        affixClass.rules.push_back(std::move(rule));
        --rulesOwed;
    }
    if (rulesOwed != 0)
        throw std::runtime_error("affix file ends before the last class has all its rules");
    return rules;
}

}  // namespace tarnik::tools
