// tarnik hyph: hyphenates words and manages the user's hyphenation exceptions.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/text_input.h"
#include "services/hyphenator.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "hyph";

constexpr char kHelp[] =
    "Usage: tarnik hyph [OPTIONS] [WORD...]\n"
    "       tarnik hyph [OPTIONS] --file FILE [FILE...]\n"
    "       tarnik hyph [--data DIR] [--user FILE] --add WORD | --remove WORD | --list\n\n"
    "Hyphenates the words given, or one word per line of the files given with\n"
    "--file (or of standard input, also given as '-'), and prints each with '-' at\n"
    "every allowed break (UTF-8, one per line). A word is hyphenated up to its\n"
    "first digit; the rest is printed as it is. Punctuation around a word and the\n"
    "hyphen of a compound are no part of a word; a line of several words has each\n"
    "of them hyphenated.\n\n"
    "Options (they may come before or after the words):\n"
    "  --file FILE    read words from FILE, one per line; with --file every other\n"
    "                 argument names a file too ('-' is standard input)\n"
    "  --data DIR     the folder of PLHYPH.DAT (default: the bundled XTensions folder)\n"
    "  --user FILE    the user exceptions file (default: PLHYPH.USR beside PLHYPH.DAT,\n"
    "                 or in the per-user data folder when that folder is read-only)\n"
    "  --no-user      hyphenate without the user exceptions\n"
    "  --add WORD     add a user exception, written with '-' at each break: ko-tek\n"
    "  --remove WORD  remove the user exception for WORD\n"
    "  --list         print the user exceptions\n";

// After kEncodingHelp.
constexpr char kHelpEnd[] =
    "\nExit status: 0 on success; 1 when an exception is refused (already listed,\n"
    "not listed, too long); 2 on bad usage, or data, an exceptions file or a file\n"
    "of words that cannot be read or written.\n";

struct Options {
    std::string dataDir;
    std::string userFile;
    bool noUser = false;
    std::string action;  // "", "--add", "--remove", "--list"
    std::string actionWord;
    TextEncoding encoding = TextEncoding::kUtf8;
    std::vector<std::string> words;
    std::vector<std::string> files;
};

// A change of the exceptions that was refused.
int Refused(const std::string& message) {
    return ReportError(kName, "", message, kFindingsLeft);
}

// Hyphenates each line of a file; false when it cannot be read to its end. A
// line longer than any word can be (see TextInput) is printed as it is.
bool HyphenateLines(const std::string& path, TextEncoding encoding,
                    const services::Hyphenator& hyphenator) {
    TextInput input(encoding);
    std::string problem;
    if (!input.Open(path, problem)) {
        ReportError(kName, MessageName(path), problem);
        return false;
    }
    std::string result;
    std::string_view piece;
    bool lineEnds = false;
    bool whole = true;  // the piece is a whole line
    while (input.NextPiece(piece, lineEnds)) {
        result.clear();
        result = whole && lineEnds ? hyphenator.Hyphenate(piece) : std::string(piece);
        if (lineEnds)
            result += '\n';
        std::cout << result;
        whole = lineEnds;
    }
    if (!input.Error().empty()) {
        ReportError(kName, MessageName(path), input.Error());
        return false;
    }
    return true;
}

int Manage(services::Hyphenator& hyphenator, const Options& options) {
    if (options.action == "--list") {
        for (const std::string& word : hyphenator.Exceptions())
            std::cout << word << "\n";
        return 0;
    }
    tarnik::Error why;
    services::ExceptionChange change = options.action == "--add"
                                           ? hyphenator.Add(options.actionWord, why)
                                           : hyphenator.Remove(options.actionWord, why);
    if (change == services::ExceptionChange::kNotSaved)
        return ReportError(kName, "", why.Message());
    if (change == services::ExceptionChange::kRefused)
        return Refused(why.Message());
    std::cout << (options.action == "--add" ? "Added: " : "Removed: ") << options.actionWord
              << "\n";
    return 0;
}

int Run(const std::vector<std::string>& args) {
    Options options;
    bool fromFiles = false;
    std::vector<std::string> operands;  // words, or with --file files, in their order
    auto action = [&options](const char* name, bool takesWord) {
        return Option{name, 0, takesWord,
                      [&options, name](const std::string& word) -> std::optional<std::string> {
                          if (!options.action.empty())
                              return "give only one of --add, --remove and --list";
                          options.action = std::string("--") + name;
                          options.actionWord = word;
                          return std::nullopt;
                      }};
    };
    const Option table[] = {
        DataOption(options.dataDir),
        UserOption(options.userFile),
        EncodingOption(options.encoding),
        FlagOption("no-user", options.noUser),
        action("add", true),
        action("remove", true),
        action("list", false),
        {"file", 0, true,
         [&](const std::string& file) {
             fromFiles = true;
             operands.push_back(file);
             return std::optional<std::string>();
         }},
    };
    if (std::optional<int> status = ParseCommandLine(kName, args, table, operands))
        return *status;
    // "-" alone is standard input; with --file every argument names a file.
    bool onlyStandardInput =
        !operands.empty() && std::all_of(operands.begin(), operands.end(),
                                         [](const std::string& a) { return a == "-"; });
    if (fromFiles || onlyStandardInput)
        options.files = operands;
    else if (std::find(operands.begin(), operands.end(), "-") != operands.end())
        return UsageError(kName, "give words or files, not both");
    else
        options.words = operands;
    if (!options.action.empty() &&
        (options.noUser || !options.words.empty() || !options.files.empty()))
        return UsageError(kName, options.action + " takes no words to hyphenate and no --no-user");

    services::Hyphenator hyphenator;
    if (std::optional<tarnik::Error> problem =
            hyphenator.Open({options.dataDir.empty() ? DefaultXTensionsDir() : options.dataDir,
                             options.userFile, !options.noUser}))
        return ReportError(kName, "", problem->Message());
    if (const std::optional<tarnik::Error>& problem = hyphenator.ExceptionsProblem()) {
        if (!options.action.empty())
            return ReportError(kName, "", problem->Message());
        std::cerr << "tarnik " << kName << ": warning: " << problem->Message() << "\n";
    }
    if (!options.action.empty())
        return Manage(hyphenator, options);

    for (const std::string& word : options.words)
        std::cout << hyphenator.Hyphenate(word) << "\n";
    if (!options.words.empty())
        return 0;
    if (options.files.empty())
        options.files.push_back("-");
    int status = 0;
    for (const std::string& path : options.files) {
        if (!HyphenateLines(path, options.encoding, hyphenator))
            status = kUsageError;
    }
    return status;
}

CommandRegistration registration({kName, "",
                                  "hyphenate Polish words; manage hyphenation exceptions",
                                  std::string(kHelp) + kEncodingHelp + kHelpEnd, Run});

}  // namespace
}  // namespace tarnik::cli
