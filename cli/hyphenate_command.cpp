// tarnik hyphenate: Polish hyphenation points for plain text, as soft hyphens.
// The text becomes the story of one text box and the plug-in's own "Hyphenate
// Box" (or "Remove Hyphens From Box") runs on it, so every rule of the command
// applies: skipped capitals and mixed-case words, compounds, the user's
// exceptions, points already there confirmed rather than doubled.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/text_file_run.h"
#include "hyphcommands/hyph_service.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "hyphenate";

constexpr char kHelp[] =
    "Usage: tarnik hyphenate [--remove] [--no-user] [--settings FILE] [--data DIR]\n"
    "                        [-o OUT | --in-place] [FILE]\n\n"
    "Puts Polish hyphenation points into UTF-8 text as soft hyphens (U+00AD), which\n"
    "browsers and e-book readers break lines at. Reads FILE or standard input and\n"
    "writes standard output. Words in capitals (NATO) and words like XPress are left\n"
    "alone, a compound (biało-czerwony) gets a soft hyphen before its hyphen, and\n"
    "soft hyphens already in the text are kept where the hyphenation allows them and\n"
    "taken out where it does not, so hyphenating twice gives what once gave.\n\n"
    "  --remove         take every soft hyphen out instead\n"
    "  --no-user        hyphenate without the user's exceptions (PLHYPH.USR)\n"
    "  --settings FILE  the settings file (section [1Dzielenie], keys as the plug-in\n"
    "                   stores them, e.g. 4PominWersaliki=0); it is only read.\n"
    "                   Without it the default settings hold\n"
    "  --data DIR       the folder of PLHYPH.DAT (default: the bundled XTensions\n"
    "                   folder); PLHYPH.USR is found beside it, or in the per-user\n"
    "                   folder when DIR cannot be written\n"
    "  -o OUT           write to OUT instead of standard output\n"
    "  --in-place       write back to FILE\n\n"
    "OUT and FILE are replaced whole or not at all: a failed write leaves the old\n"
    "file as it was.\n\n"
    "Exit status: 0 on success; 1 when the hyphenation data cannot be opened or the\n"
    "output cannot be written (nothing is written then); 2 on bad usage, or input\n"
    "that cannot be read or is not UTF-8.\n";

struct Options {
    bool remove = false;
    bool noUser = false;
    bool inPlace = false;
    std::string settingsFile;
    std::string dataDir;
    std::string output;
    std::string input;
};

int Error(int status, const std::string& message) {
    std::cerr << "tarnik " << kName << ": " << message << "\n";
    return status;
}

// Parses the arguments; 0, or the exit status of a usage error.
int ParseOptions(const std::vector<std::string>& args, Options& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string* value = arg == "--settings" ? &options.settingsFile
                             : arg == "--data"   ? &options.dataDir
                             : arg == "-o"       ? &options.output
                                                 : nullptr;
        if (value) {
            if (++i == args.size())
                return UsageError(kName, arg + " needs a value");
            *value = args[i];
        } else if (arg == "--remove") {
            options.remove = true;
        } else if (arg == "--no-user") {
            options.noUser = true;
        } else if (arg == "--in-place") {
            options.inPlace = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError(kName, "unknown option '" + arg + "'");
        } else if (!options.input.empty()) {
            return UsageError(kName, "one input file at most");
        } else {
            options.input = arg;
        }
    }
    if (options.inPlace && !options.output.empty())
        return UsageError(kName, "--in-place and -o exclude each other");
    if (options.inPlace && (options.input.empty() || options.input == "-"))
        return UsageError(kName, "--in-place needs an input file");
    return 0;
}

// A message box's text on one line.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

int Run(const std::vector<std::string>& args) {
    Options options;
    if (int status = ParseOptions(args, options))
        return status;

    std::u16string text;
    std::string error;
    if (!ReadTextInput(options.input, text, error))
        return Error(kUsageError, error);

    TextRunOptions runOptions;
    runOptions.xtensionsDir = options.dataDir;
    runOptions.settingsFile = options.settingsFile;
    if (options.noUser)
        runOptions.settings.push_back({kHyphSettingsSection, "2UzywajWyjatkow", "0"});
    TextFileRun run;
    if (!run.Start(text, runOptions, nullptr, error))
        return Error(options.settingsFile.empty() ? 1 : kUsageError, error);

    const char* title = options.remove ? "Remove Hyphens From Box" : "Hyphenate Box";
    TextFileRun::CommandResult result = run.RunCommand(title);
    for (const host::ShownMessage& message : run.Host().messages)
        std::cerr << "tarnik " << kName << ": " << OneLine(message.text) << "\n";
    if (result == TextFileRun::CommandResult::kNoItem)
        return Error(1, std::string("the plug-in has no menu item \"") + title + "\"");
    // An empty text leaves the item disabled: there is nothing to change.
    if (!options.remove && result == TextFileRun::CommandResult::kDone && !Hyphenation().dict)
        return Error(1, "the hyphenation data could not be opened; nothing was written");

    const std::string story = run.StoryText();
    const std::string& target = options.inPlace ? options.input : options.output;
    if (target.empty()) {
        if (!WriteStandardOutput(story))
            return Error(1, "cannot write to standard output");
    } else if (!WriteTextOutput(target, story, error)) {
        return Error(1, error);
    }
    return 0;
}

const CommandRegistration registration({kName, "", "put soft hyphens into Polish text", kHelp,
                                        Run});

}  // namespace
}  // namespace tarnik::cli
