// tarnik list (tarnik -l): prints the misspelt words of a text, one per line.
#include <iostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/spelling_options.h"
#include "cli/text_input.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "list";

const std::string kHelp =
    std::string(
        "Usage: tarnik list [OPTIONS] [FILE...]    (also: tarnik -l [OPTIONS] [FILE...])\n\n"
        "Reads text from the files given, or from standard input ('-' is standard\n"
        "input too), and prints each misspelt word once per occurrence, one per\n"
        "line, as it stands in the text (UTF-8). Words are found and checked as the\n"
        "spell check does it. Only the prose of marked-up text is read (TeX, HTML,\n"
        "Markdown, nroff: see --mode); a file is read a line at a time.\n\n"
        "Exit status: 0 when every file was read, misspelt words or not (the words\n"
        "are the output, as of hunspell -l, and editors take any other status for a\n"
        "failure); 2 on bad usage, or a dictionary or file that cannot be read (the\n"
        "other files are checked all the same).\n\n"
        "Options (they may come before or after the files):\n"
        "  --locations     print FILE:LINE:COLUMN: WORD instead (lines and columns\n"
        "                  count from 1, columns in characters; '-' is standard input)\n"
        "  -L              print the lines that hold a misspelt word, as they are\n"
        "                  (also: tarnik -L)\n"
        "  -w              each line is one word: print the misspelt ones (tarnik -w)\n"
        "  -G              print the correct words instead (with -L, the lines without\n"
        "                  a misspelt word; with -w, the correct lines) (tarnik -G)\n"
        "  -u              print 'Line N: WORD -> SUGGESTION' for each misspelt word\n"
        "                  that has a suggestion, the likeliest (tarnik -u)\n") +
    kSpellingOptionsHelp + kEncodingHelp;

// Lists the misspelt words of one input; false when it cannot be read to its end.
bool ListMisspelt(const std::string& path, const services::Speller& speller,
                  const SpellingOptions& options) {
    TextInput input(options.encoding);
    std::string problem;
    if (!input.Open(path, problem)) {
        ReportError(kName, MessageName(path), problem);
        return false;
    }
    std::string name = InputName(path);
    TextFilter filter(ModeOf(options.format, options.formatGiven, path), options.checkAddresses);
    WordCutter cutter(filter);
    int64_t line = 1;
    int64_t offset = 0;
    std::string_view piece;
    bool lineEnds = false;
    std::string lineText;  // -L and -w print or check whole lines
    bool lineMisspelt = false;
    // Words come back again and again in prose: each verdict is kept (at most
    // kCachedWords of them, so memory stays bounded).
    constexpr size_t kCachedWords = 1 << 16;
    std::unordered_map<std::string, bool> verdicts;
    std::string key;
    auto check = [&](const std::string& word, bool beforeStop) {
        key.assign(word);
        key.push_back(beforeStop ? '\1' : '\0');
        if (auto found = verdicts.find(key); found != verdicts.end())
            return found->second;
        bool correct = speller.Check(word, beforeStop);
        if (verdicts.size() >= kCachedWords)
            verdicts.clear();
        verdicts.emplace(key, correct);
        return correct;
    };
    auto print = [&](const LineWord& word) {
        bool correct = check(word.original, word.beforeStop);
        lineMisspelt = lineMisspelt || !correct;
        if (options.shows == ListShows::kFirstSuggestions && !correct) {
            std::vector<std::string> suggestions = speller.Suggest(word.original);
            if (!suggestions.empty())
                std::cout << "Line " << line << ": " << word.original << " -> " << suggestions[0]
                          << "\n";
        }
        if (options.shows != ListShows::kWords || correct != options.correct)
            return;
        if (options.locations)
            std::cout << name << ":" << line << ":" << word.offset + 1 << ": ";
        std::cout << word.original << "\n";
    };
    auto endLine = [&]() {
        if (options.shows == ListShows::kLines && lineMisspelt != options.correct)
            std::cout << lineText << "\n";
        if (options.shows == ListShows::kWordLines && !lineText.empty() &&
            speller.Check(lineText) == options.correct)
            std::cout << lineText << "\n";
        lineText.clear();
        lineMisspelt = false;
    };
    while (input.NextPiece(piece, lineEnds)) {
        if (options.shows == ListShows::kLines || options.shows == ListShows::kWordLines)
            lineText += piece;
        if (options.shows != ListShows::kWordLines)
            cutter.Cut(piece, lineEnds, offset, print);
        if (lineEnds) {
            endLine();
            ++line;
        }
    }
    if (!input.Error().empty()) {
        ReportError(kName, MessageName(path), input.Error());
        return false;
    }
    return true;
}

int Run(const std::vector<std::string>& args) {
    SpellingOptions options;
    services::Speller speller;
    if (std::optional<int> status = StartSpelling(kName, args, true, options, speller))
        return *status;
    if (options.files.empty())
        options.files.push_back("-");
    int status = 0;
    for (const std::string& path : options.files) {
        if (!ListMisspelt(path, speller, options))
            status = kUsageError;
    }
    return status;
}

CommandRegistration registration({kName, "-l", "print the misspelt words of a text, one per line",
                                  kHelp, Run});

}  // namespace
}  // namespace tarnik::cli
