#include "cli/spelling_options.h"

#include <filesystem>
#include <iostream>

#include "charsets/utf8.h"
#include "cli/command.h"
#include "cli/options.h"
#include "text/word_finder.h"

namespace tarnik::cli {

namespace {

size_t CountCharacters(std::string_view bytes) {
    size_t count = 0;
    for (char c : bytes)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// A piece's internal codes, one per UTF-16 unit, as the word finder reads them.
struct PieceSource {
    const std::u16string& codes;
    uint16_t CharAt(int32_t position) const { return codes[static_cast<size_t>(position)]; }
    int32_t NextPosition(int32_t position) const { return position + 1; }
};

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The names a Polish dictionary goes by in ispell, hunspell and aspell:
// pl, pl_PL, pl-PL, polish, polski, with or without an encoding (pl_PL.UTF-8).
bool IsPolishDictionaryName(std::string name) {
    name = Lower(name);
    if (size_t dot = name.find('.'); dot != std::string::npos) {
        std::string encoding = name.substr(dot + 1);
        if (encoding != "utf-8" && encoding != "utf8")
            return false;
        name.resize(dot);
    }
    for (char& c : name) {
        if (c == '-')
            c = '_';
    }
    return name == "pl" || name == "pl_pl" || name == "polish" || name == "polski";
}

}  // namespace

const char kVersionLine[] =
    "@(#) International Ispell Version 3.2.06 (but really Tarnik " TARNIK_VERSION ")";

const char kSpellingOptionsHelp[] =
    "  --data DIR      the folder of the dictionary son.dic (default: the bundled\n"
    "                  XTensions folder)\n"
    "  --user FILE, -p FILE\n"
    "                  the user dictionary (default: user.dic beside son.dic, or in\n"
    "                  the per-user data folder when that folder is read-only);\n"
    "                  created when missing\n"
    "  --skip-caps     do not check words in capitals (PKP, NATO)\n"
    "  --skip-digits   do not check words that hold digits (A4, 2015r)\n"
    "  --mode MODE, -t, -H, -n, -o\n"
    "                  the markup of the text: plain, tex (TeX and LaTeX), html\n"
    "                  (HTML and XML), markdown or nroff; -t is tex, -H (or -X)\n"
    "                  html, -n nroff, -o plain (--format MODE is --mode MODE).\n"
    "                  Only the prose is checked: commands, tags, math, code and\n"
    "                  comments are not. Without it a file's extension tells (.tex\n"
    "                  .ltx .sty .cls, .html .htm .xhtml .xml .svg, .md .markdown,\n"
    "                  .1-.9 .man); standard input is plain\n"
    "  --check-url     check URLs, e-mail addresses and file paths too (by default\n"
    "                  they are skipped)\n"
    "  -d NAME         the dictionary: Polish is the only one, by any of its names\n"
    "                  (pl, pl_PL, polish, polski); another name is an error\n"
    "  -m, -B, -C, -P, -S, -x, -b, --check-apostrophe, -w CHARS, -W N, -T TYPE\n"
    "                  options of ispell and hunspell that editors pass; accepted,\n"
    "                  and they change nothing\n"
    "  -v, -vv         print the version line and stop\n"
    "  --alphabetical  suggestions in alphabetical order, all of them, instead of\n"
    "                  the most likely first (at most 15)\n";

std::optional<int> ParseSpellingOptions(const std::string& command,
                                        const std::vector<std::string>& args, bool takesFiles,
                                        SpellingOptions& options) {
    auto format = [&options](char letter, TextFormat value) {
        return Option{nullptr, letter, false, [&options, value](const std::string&) {
                          options.format = value;
                          options.formatGiven = true;
                          return std::optional<std::string>();
                      }};
    };
    // Options of ispell and hunspell that make no difference here; some take a value.
    auto ignored = [](char letter, bool takesValue = false) {
        return Option{nullptr, letter, takesValue,
                      [](const std::string&) { return std::optional<std::string>(); }};
    };
    std::vector<Option> table = {
        DataOption(options.dataDir),
        UserOption(options.userFile, 'p'),
        EncodingOption(options.encoding),
        FlagOption("skip-caps", options.skipCaps),
        FlagOption("skip-digits", options.skipDigits),
        FlagOption("check-url", options.checkAddresses),
        FlagOption("alphabetical", options.alphabetical),
        format('X', TextFormat::kHtml),
        format('o', TextFormat::kPlain),
        {nullptr, 'd', true,
         [](const std::string& value) -> std::optional<std::string> {
             for (size_t from = 0; from <= value.size();) {
                 size_t comma = value.find(',', from);
                 std::string name = value.substr(from, comma - from);
                 if (!IsPolishDictionaryName(name))
                     return "there is no dictionary '" + name +
                            "': Tarnik checks Polish only (-d pl, pl_PL, polish or polski)";
                 if (comma == std::string::npos)
                     break;
                 from = comma + 1;
             }
             return std::nullopt;
         }},
        {nullptr, 'v', false,
         [&options](const std::string&) {
             options.version = true;
             return std::optional<std::string>();
         }},
        {"check-apostrophe", 0, false,
         [](const std::string&) { return std::optional<std::string>(); }},
        ignored('m'),
        ignored('B'),
        ignored('C'),
        ignored('P'),
        ignored('S'),
        ignored('x'),
        ignored('b'),
        ignored('w', true),
        ignored('W', true),
        ignored('T', true),
        ignored(takesFiles ? 'l' : 'a'),  // the mode itself
    };
    for (Option& mode : ModeOptions(options.format, options.formatGiven))
        table.push_back(std::move(mode));
    if (takesFiles)
        table.push_back(FlagOption("locations", options.locations));
    std::vector<std::string> operands;
    if (std::optional<int> status = ParseCommandLine(command, args, table, operands))
        return status;
    if (!takesFiles && !operands.empty())
        return UsageError(
            command, "unexpected argument '" + operands[0] + "' (text comes on standard input)");
    options.files = std::move(operands);
    return std::nullopt;
}

void WordCutter::Cut(std::string_view piece, bool lineEnds, int64_t& lineOffset,
                     const std::function<void(const LineWord&)>& found) {
    // Plain text has no markup that goes on from piece to piece: each piece is
    // read as it comes, and a line of any length in bounded memory. Markup is
    // read a whole line at a time.
    const bool plain = filter_.Format() == TextFormat::kPlain;
    if (!inLine_ || plain) {
        line_.clear();
        lineStart_ = lineOffset;
        inLine_ = true;
    }
    line_.append(piece);
    lineOffset += static_cast<int64_t>(CountCharacters(piece));
    if (!lineEnds && !plain)
        return;
    inLine_ = !lineEnds;
    if (lineEnds)
        lineOffset = 0;
    filter_.Filter(line_, prose_);
    PieceSource source{prose_.codes};
    int32_t end = static_cast<int32_t>(prose_.codes.size());
    int32_t current = 0;
    int32_t start = 0;
    while (FindNextWord(source, current, end, start, word_.cp1250)) {
        word_.offset = lineStart_ + prose_.columns[static_cast<size_t>(start)];
        word_.original = Utf16ToUtf8(std::u16string_view(prose_.units)
                                         .substr(static_cast<size_t>(start),
                                                 static_cast<size_t>(current - start)));
        word_.beforeStop = current < end && prose_.codes[static_cast<size_t>(current)] == u'.';
        found(word_);
    }
}

std::string DataFolder(const std::string& dataDir) {
    return dataDir.empty() ? DefaultXTensionsDir() : dataDir;
}

std::optional<int> StartSpelling(const std::string& command, const std::vector<std::string>& args,
                                 bool takesFiles, SpellingOptions& options,
                                 services::Speller& speller) {
    if (std::optional<int> status = ParseSpellingOptions(command, args, takesFiles, options))
        return status;
    if (options.version) {
        std::cout << kVersionLine << "\n";
        return 0;
    }
    std::optional<Error> problem =
        speller.Open({DataFolder(options.dataDir), options.userFile},
                     {options.skipCaps, options.skipDigits, options.alphabetical});
    for (const Error& warning : speller.Warnings())
        std::cerr << "tarnik " << command << ": " << warning.Message() << "\n";
    if (problem) {
        std::cerr << "tarnik " << command << ": " << problem->Message() << "\n";
        return kUsageError;
    }
    return std::nullopt;
}

}  // namespace tarnik::cli
