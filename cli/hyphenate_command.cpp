// tarnik hyphenate: Polish hyphenation points for plain text, as soft hyphens.
// The text becomes the story of one text box and the plug-in's own "Hyphenate
// Box" (or "Remove Hyphens From Box") runs on it, so every rule of the command
// applies: skipped capitals and mixed-case words, compounds, the user's
// exceptions, points already there confirmed rather than doubled.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/text_file_run.h"
#include "cli/text_input.h"
#include "host/dialogs.h"
#include "hyphcommands/hyph_service.h"
#include "tarnik/safe_save.h"
#include "tarnik/text_codec.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "hyphenate";

constexpr char kHelp[] =
    "Usage: tarnik hyphenate [OPTIONS] [FILE]\n\n"
    "Puts Polish hyphenation points into text as soft hyphens (U+00AD), which\n"
    "browsers and e-book readers break lines at. Reads FILE or standard input and\n"
    "writes UTF-8 to standard output. Words in capitals (NATO) and words like XPress\n"
    "are left alone, a compound (biało-czerwony) gets a soft hyphen before its\n"
    "hyphen, and soft hyphens already in the text are kept where the hyphenation\n"
    "allows them and taken out where it does not, so hyphenating twice gives what\n"
    "once gave.\n\n"
    "Options (they may come before or after FILE):\n"
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
    "  --user FILE      the user's exceptions from FILE instead of PLHYPH.USR (a\n"
    "                   file tarnik hyph --user FILE keeps); it is only read\n"
    "  -o FILE, --output FILE\n"
    "                   write to FILE instead of standard output\n"
    "  --in-place       write back to the input FILE, keeping the original as\n"
    "                   FILE.bak (or FILE.bak.1, FILE.bak.2, ... when that is\n"
    "                   taken: an older backup is never replaced; for a link,\n"
    "                   beside the file it points to, named after it); a FILE the\n"
    "                   run leaves unchanged is not written, and gets no backup\n"
    "  --no-backup      with --in-place: keep no FILE.bak\n";

// After kEncodingHelp.
constexpr char kHelpEnd[] =
    "\nOptions are laid over the settings file. The output file and FILE are replaced\n"
    "whole or not at all: a failed write leaves the old file as it was.\n\n"
    "Exit status: 0 on success; 2 on bad usage, input that cannot be read or is not\n"
    "text of its encoding, hyphenation data that cannot be opened, or output that\n"
    "cannot be written (nothing is written then).\n";

struct Options {
    bool remove = false;
    bool inPlace = false;
    bool backup = true;
    TextRunOptions run;
    std::string userFile;
    TextEncoding encoding = TextEncoding::kUtf8;
    std::string output;
    std::string input;
};

int Error(int status, const std::string& message) {
    return ReportError(kName, "", message, status);
}

// Parses the arguments; none to go on, or the exit status to end with.
std::optional<int> ParseOptions(const std::vector<std::string>& args, Options& options) {
    auto rules = [&options](const char* name, const char* value) {
        return Option{name, 0, true, [&options, value](const std::string& names) {
                          return ParseSettingNames(names, kHyphSettingNames, kHyphSettingsSection,
                                                   value, options.run.settings);
                      }};
    };
    const Option table[] = {
        FlagOption("remove", options.remove),
        {"no-user", 0, false,
         [&options](const std::string&) {
             options.run.settings.push_back({kHyphSettingsSection, kHyphUseExceptionsKey, "0"});
             return std::optional<std::string>();
         }},
        rules("on", "1"),
        rules("off", "0"),
        SettingsOption(options.run.settingsFile),
        DataOption(options.run.xtensionsDir),
        UserOption(options.userFile),
        OutputOption(options.output),
        InPlaceOption(options.inPlace),
        NoBackupOption(options.backup),
        EncodingOption(options.encoding),
    };
    std::vector<std::string> operands;
    if (std::optional<int> status = ParseCommandLine(kName, args, table, operands))
        return status;
    if (operands.size() > 1)
        return UsageError(kName, "one input file at most");
    if (!operands.empty())
        options.input = operands[0];
    if (options.inPlace && !options.output.empty())
        return UsageError(kName, "--in-place and --output exclude each other");
    if (options.inPlace && (options.input.empty() || options.input == "-"))
        return UsageError(kName, "--in-place needs an input file");
    return std::nullopt;
}

int Run(const std::vector<std::string>& args) {
    Options options;
    if (std::optional<int> status = ParseOptions(args, options))
        return *status;

    std::u16string text;
    std::string error;
    if (options.inPlace) {
        if (std::optional<std::string> refusal = InPlaceRefusal(options.input))
            return Error(kUsageError, *refusal);
    }
    if (!ReadWholeText(options.input, options.encoding, text, error))
        return Error(kUsageError, error);

    // The exceptions of --user must be there: a run only reads them.
    std::error_code missing;
    if (!options.userFile.empty() && !std::filesystem::exists(options.userFile, missing))
        return ReportError(kName, options.userFile,
                           std::strerror(missing ? missing.value() : ENOENT));
    TextFileRun run;
    // Typography may run first (a setting): its component opens no files.
    options.run.components = kHyphenationComponent | kTypographyComponent;
    options.run.userExceptions = options.userFile;
    if (!run.Start(text, options.run, nullptr, error))
        return Error(kUsageError, error);

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
        return Error(kUsageError, std::string("the plug-in has no menu item \"") + title + "\"");
    // An empty text leaves the item disabled: there is nothing to change.
    if (!options.remove && result == TextFileRun::CommandResult::kDone &&
        !services::FileRunHasHyphenationData())
        return Error(kUsageError, "the hyphenation data could not be opened; nothing was written");

    const std::string story = run.StoryText();
    if (options.inPlace) {
        // Nothing changed: the file is left untouched, with no backup beside it.
        if (story != Utf16ToUtf8(text)) {
            SaveResult saved = SaveFileSafely(
                options.input, story, {.keepBackup = options.backup, .regularFileOnly = true});
            if (!saved.Ok())
                return Error(kUsageError, saved.Describe(options.input));
        }
    } else if (!options.output.empty()) {
        if (SaveResult saved = SaveFileSafely(options.output, story); !saved.Ok())
            return Error(kUsageError, saved.Describe(options.output));
    } else if (!WriteStandardOutput(story)) {
        return Error(kUsageError, "cannot write to standard output");
    }
    return 0;
}

const CommandRegistration registration({kName, "", "put soft hyphens into Polish text",
                                        std::string(kHelp) + kEncodingHelp + kHelpEnd, Run});

}  // namespace
}  // namespace tarnik::cli
