#include "cli/spelling_options.h"

#include <algorithm>
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

std::optional<std::string> ParseDictionaryNames(const std::string& names,
                                                std::vector<std::string>& others) {
    bool polish = false;
    others.clear();
    for (size_t from = 0; from <= names.size();) {
        size_t comma = std::min(names.find(',', from), names.size());
        std::string name = names.substr(from, comma - from);
        if (IsPolishDictionaryName(name))
            polish = true;
        else if (!name.empty())
            others.push_back(name);
        from = comma + 1;
    }
    if (!polish)
        return "Tarnik checks Polish: name it among the dictionaries (-d pl, pl_PL, polish or "
               "polski; -d pl_PL,en_US adds English words)";
    return std::nullopt;
}

const char kVersionLine[] =
    "@(#) International Ispell Version 3.2.06 (but really Tarnik " TARNIK_VERSION ")";

const char kSpellingOptionsHelp[] =
    "  --data DIR      the folder of the dictionary son.dic (default: the bundled\n"
    "                  XTensions folder)\n"
    "  --user FILE     the user dictionary (default: user.dic beside son.dic, or in\n"
    "                  the per-user data folder when that folder is read-only);\n"
    "                  created when missing\n"
    "  -p FILE         a personal word list as hunspell keeps it: UTF-8, one word a\n"
    "                  line ('/FLAGS' after a word is ignored); created with its\n"
    "                  folders when missing. Its words pass beside the user\n"
    "                  dictionary's, and the words added go there. A Tarnik user\n"
    "                  dictionary named here is used as --user is\n"
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
    "  -d NAME[,NAME...]\n"
    "                  the dictionaries: Polish (pl, pl_PL, polish or polski) is\n"
    "                  Tarnik's and must be among them; a word that another one\n"
    "                  (en_US, en, de_DE: an installed hunspell dictionary, or its\n"
    "                  path without .dic) accepts passes too, and its suggestions\n"
    "                  follow Tarnik's. One that is missing is named, and the check\n"
    "                  goes on without it\n"
    "  -m, -B, -C, -P, -S, -x, -b, --check-apostrophe, -W N, -T TYPE (and for\n"
    "                  pipe, -w CHARS)\n"
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
        UserOption(options.userFile),
        PersonalListOption(options.personalFile),
        EncodingOption(options.encoding),
        FlagOption("skip-caps", options.skipCaps),
        FlagOption("skip-digits", options.skipDigits),
        FlagOption("check-url", options.checkAddresses),
        FlagOption("alphabetical", options.alphabetical),
        format('X', TextFormat::kHtml),
        format('o', TextFormat::kPlain),
        {nullptr, 'd', true,
         [&options](const std::string& value) {
             return ParseDictionaryNames(value, options.otherLanguages);
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
        ignored('W', true),
        ignored('T', true),
        ignored(takesFiles ? 'l' : 'a'),  // the mode itself
    };
    for (Option& mode : ModeOptions(options.format, options.formatGiven))
        table.push_back(std::move(mode));
    auto shows = [&options](char letter, ListShows value) {
        return Option{nullptr, letter, false, [&options, value](const std::string&) {
                          options.shows = value;
                          return std::optional<std::string>();
                      }};
    };
    if (takesFiles) {
        table.push_back(FlagOption("locations", options.locations));
        table.push_back(shows('L', ListShows::kLines));
        table.push_back(shows('w', ListShows::kWordLines));
        table.push_back(shows('u', ListShows::kFirstSuggestions));
        table.push_back({nullptr, 'G', false, [&options](const std::string&) {
                             options.correct = true;
                             return std::optional<std::string>();
                         }});
    } else {
        table.push_back(ignored('w', true));  // ispell's word characters
    }
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

services::SpellerPlaces SpellerPlacesOf(const SpellingOptions& options) {
    services::SpellerPlaces places{DataFolder(options.dataDir), options.userFile};
    if (!options.personalFile.empty()) {
        if (services::HoldsUserDictionary(options.personalFile))
            places.userDictionary = options.personalFile;
        else
            places.personalWords = options.personalFile;
    }
    places.otherLanguages = options.otherLanguages;
    return places;
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
    std::optional<Error> problem = speller.Open(
        SpellerPlacesOf(options), {options.skipCaps, options.skipDigits, options.alphabetical});
    for (const Error& warning : speller.Warnings())
        std::cerr << "tarnik " << command << ": " << warning.Message() << "\n";
    if (problem) {
        std::cerr << "tarnik " << command << ": " << problem->Message() << "\n";
        return kUsageError;
    }
    return std::nullopt;
}

}  // namespace tarnik::cli
