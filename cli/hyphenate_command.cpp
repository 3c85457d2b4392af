// tarnik hyphenate: Polish hyphenation points for plain text, as soft hyphens.
// The text becomes the story of one text box and the plug-in's own "Hyphenate
// Box" (or "Remove Hyphens From Box") runs on it, so every rule of the command
// applies: skipped capitals and mixed-case words, compounds, the user's
// exceptions, points already there confirmed rather than doubled.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/text_file_run.h"
#include "host/dialogs.h"
#include "hyphcommands/hyph_service.h"
#include "tarnik/safe_save.h"
#include "tarnik/text_codec.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "hyphenate";

constexpr char kHelp[] =
    "Usage: tarnik hyphenate [--remove] [--no-user] [--on RULE,...] [--off RULE,...]\n"
    "                        [--settings FILE] [--data DIR]\n"
    "                        [-o OUT | --in-place [--no-backup]] [FILE]\n\n"
    "Puts Polish hyphenation points into UTF-8 text as soft hyphens (U+00AD), which\n"
    "browsers and e-book readers break lines at. Reads FILE or standard input and\n"
    "writes standard output. Words in capitals (NATO) and words like XPress are left\n"
    "alone, a compound (biało-czerwony) gets a soft hyphen before its hyphen, and\n"
    "soft hyphens already in the text are kept where the hyphenation allows them and\n"
    "taken out where it does not, so hyphenating twice gives what once gave.\n\n"
    "  --remove         take every soft hyphen out instead\n"
    "  --no-user        hyphenate without the user's exceptions (PLHYPH.USR), as\n"
    "                   --off exceptions does\n"
    "  --on RULE[,RULE...], --off RULE[,RULE...]\n"
    "                   turn settings on or off: exceptions (the user's\n"
    "                   exceptions), typography-first (tarnik typo's corrections\n"
    "                   first), skip-capitals (leave NATO alone), skip-mixed-case\n"
    "                   (leave XPress alone)\n"
    "  --settings FILE  the settings file (section [1Dzielenie], keys as the plug-in\n"
    "                   stores them, e.g. 4PominWersaliki=0); it is only read.\n"
    "                   Without it the default settings hold\n"
    "  --data DIR       the folder of PLHYPH.DAT (default: the bundled XTensions\n"
    "                   folder); PLHYPH.USR is found beside it, or in the per-user\n"
    "                   folder when DIR cannot be written\n"
    "  -o, --output OUT write to OUT instead of standard output\n"
    "  --in-place       write back to FILE, keeping the original as FILE.bak (or\n"
    "                   FILE.bak.1, FILE.bak.2, ... when that is taken: an older\n"
    "                   backup is never replaced; for a link, beside the file it\n"
    "                   points to, named after it); a FILE the run leaves\n"
    "                   unchanged is not written, and gets no backup\n"
    "  --no-backup      with --in-place: keep no FILE.bak\n\n"
    "Options are laid over the settings file. OUT and FILE are replaced whole or\n"
    "not at all: a failed write leaves the old file as it was.\n\n"
    "Exit status: 0 on success; 1 when the hyphenation data cannot be opened or the\n"
    "output cannot be written (nothing is written then); 2 on bad usage, or input\n"
    "that cannot be read or is not UTF-8.\n";

// The settings by the names of the options, and the keys that hold them.
constexpr SettingName kSettings[] = {
    {"exceptions", "2UzywajWyjatkow"},
    {"typography-first", "3NajpierTypografia"},
    {"skip-capitals", "4PominWersaliki"},
    {"skip-mixed-case", "5PominXPress"},
};

struct Options {
    bool remove = false;
    bool inPlace = false;
    bool backup = true;
    TextRunOptions run;
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
        std::string* value = arg == "--settings"                ? &options.run.settingsFile
                             : arg == "--data"                  ? &options.run.xtensionsDir
                             : arg == "-o" || arg == "--output" ? &options.output
                                                                : nullptr;
        const bool rules = arg == "--on" || arg == "--off";
        if (value || rules) {
            if (++i == args.size())
                return UsageError(kName, arg + " needs a value");
            if (value) {
                *value = args[i];
            } else if (std::optional<std::string> problem =
                           ParseSettingNames(args[i], kSettings, kHyphSettingsSection,
                                             arg == "--on" ? "1" : "0", options.run.settings)) {
                return UsageError(kName, *problem);
            }
        } else if (arg == "--remove") {
            options.remove = true;
        } else if (arg == "--no-user") {
            options.run.settings.push_back({kHyphSettingsSection, "2UzywajWyjatkow", "0"});
        } else if (arg == "--no-backup") {
            options.backup = false;
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
int Run(const std::vector<std::string>& args) {
    Options options;
    if (int status = ParseOptions(args, options))
        return status;

    std::u16string text;
    std::string error;
    if (!ReadTextInput(options.input, text, error))
        return Error(kUsageError, error);

    TextFileRun run;
    // Typography may run first (a setting): its component opens no files.
    options.run.components = kHyphenationComponent | kTypographyComponent;
    if (!run.Start(text, options.run, nullptr, error))
        return Error(options.run.settingsFile.empty() ? 1 : kUsageError, error);

    const char* title = options.remove ? "Remove Hyphens From Box" : "Hyphenate Box";
    TextFileRun::CommandResult result = run.RunCommand(title);
    // At start-up every component tells what it misses; only the hyphenation's
    // messages (its data or exceptions file) concern this run.
    const std::vector<host::ShownMessage>& messages = run.Host().messages;
    for (size_t i = 0; i < messages.size(); ++i) {
        if (i >= run.StartMessages() || messages[i].text.find("hyphenation") != std::string::npos)
            std::cerr << "tarnik " << kName << ": " << host::MessageOnOneLine(messages[i].text)
                      << "\n";
    }
    if (result == TextFileRun::CommandResult::kNoItem)
        return Error(1, std::string("the plug-in has no menu item \"") + title + "\"");
    // An empty text leaves the item disabled: there is nothing to change.
    if (!options.remove && result == TextFileRun::CommandResult::kDone && !Hyphenation().dict)
        return Error(1, "the hyphenation data could not be opened; nothing was written");

    const std::string story = run.StoryText();
    if (options.inPlace) {
        // Nothing changed: the file is left untouched, with no backup beside it.
        if (story != Utf16ToUtf8(text)) {
            SaveResult saved = SaveFileSafely(
                options.input, story, {.keepBackup = options.backup, .regularFileOnly = true});
            if (!saved.Ok())
                return Error(1, saved.Describe(options.input));
        }
    } else if (!options.output.empty()) {
        if (SaveResult saved = SaveFileSafely(options.output, story); !saved.Ok())
            return Error(1, saved.Describe(options.output));
    } else if (!WriteStandardOutput(story)) {
        return Error(1, "cannot write to standard output");
    }
    return 0;
}

const CommandRegistration registration({kName, "", "put soft hyphens into Polish text", kHelp,
                                        Run});

}  // namespace
}  // namespace tarnik::cli
