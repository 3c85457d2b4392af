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
#include "tarnik/file_io.h"
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
    "In marked-up text (see --mode) only the words of the prose get soft hyphens,\n"
    "never markup (tags, commands, code, math); the writer's own hyphenation\n"
    "points (TeX's \\- \"- \"= \"~, nroff's \\%) are kept, and a word holding one\n"
    "gets none of Tarnik's. New soft hyphens are written as U+00AD (in HTML as\n"
    "&shy; when the file writes them so), so --remove gives the text back as it\n"
    "was. The text is worked on a part at a time: memory stays small whatever\n"
    "its length.\n\n"
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
    markup::TextFormat mode = markup::TextFormat::kPlain;
    bool modeGiven = false;
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
    std::vector<Option> table = {
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
    for (Option& mode : ModeOptions(options.mode, options.modeGiven))
        table.push_back(std::move(mode));
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

// Writes the output as it is made: to standard output (held back at first, see
// kHeldOutput), or into the descriptor of a safe save.
class Output {
  public:
    explicit Output(int fd = -1) : fd_(fd) {}
    bool Write(std::string_view bytes) {
        if (fd_ >= 0)
            return WriteWholeDescriptor(fd_, bytes);
        held_.append(bytes);
        if (held_.size() < kHeldOutput)
            return true;
        return Flush();
    }
    bool Flush() {
        bool written = WriteStandardOutput(held_);
        held_.clear();
        return written;
    }

  private:
    int fd_;
    std::string held_;
};

int Run(const std::vector<std::string>& args) {
    Options options;
    if (std::optional<int> status = ParseOptions(args, options))
        return *status;

    std::string error;
    if (options.inPlace) {
        if (std::optional<std::string> refusal = InPlaceRefusal(options.input))
            return Error(kUsageError, *refusal);
    }
    TextInput input(options.encoding);
    if (!input.Open(options.input, error))
        return Error(kUsageError, MessageName(options.input) + ": " + error);

    // The exceptions of --user must be there: a run only reads them.
    std::error_code missing;
    if (!options.userFile.empty() && !std::filesystem::exists(options.userFile, missing))
        return ReportError(kName, options.userFile,
                           std::strerror(missing ? missing.value() : ENOENT));
    TextFileRun run;
    // Typography may run first (a setting): its component opens no files.
    options.run.components = kHyphenationComponent | kTypographyComponent;
    options.run.userExceptions = options.userFile;
    if (!run.Start(u"", options.run, nullptr, error))
        return Error(kUsageError, error);
    // At start-up every component tells what it misses; only the hyphenation's
    // messages (its data or exceptions file) concern this run.
    const std::vector<host::ShownMessage>& messages = run.Host().messages;
    size_t told = 0;
    auto tell = [&] {
        for (; told < messages.size(); ++told) {
            if (told >= run.StartMessages() ||
                messages[told].text.find("hyphenation") != std::string::npos)
                std::cerr << "tarnik " << kName << ": "
                          << host::MessageOnOneLine(messages[told].text) << "\n";
        }
    };
    tell();

    const char* title = options.remove ? "Remove Hyphens From Box" : "Hyphenate Box";
    std::string problem;
    PartRun part;
    part.format = ModeOf(options.mode, options.modeGiven, options.input);
    part.prose.keepDiscretionaries = true;
    part.command = [&] {
        TextFileRun::CommandResult result = run.RunCommand(title);
        tell();
        if (result == TextFileRun::CommandResult::kNoItem) {
            problem = std::string("the plug-in has no menu item \"") + title + "\"";
            return false;
        }
        // A story of markup alone leaves the item disabled: nothing to change.
        if (!options.remove && result == TextFileRun::CommandResult::kDone &&
            !services::FileRunHasHyphenationData()) {
            problem = "the hyphenation data could not be opened; nothing was written";
            return false;
        }
        return true;
    };
    bool changed = false;
    auto hyphenate = [&](Output& output) {
        part.write = [&output](std::string_view bytes) { return output.Write(bytes); };
        if (!RunInParts(input, run.Host(), part, changed, error)) {
            if (problem.empty())
                problem = MessageName(options.input) + ": " + error;
            return false;
        }
        return true;
    };

    if (options.inPlace || !options.output.empty()) {
        const std::string& path = options.inPlace ? options.input : options.output;
        SaveOptions save;
        if (options.inPlace) {
            save = {.keepBackup = options.backup, .regularFileOnly = true};
            // Nothing changed: the file is left untouched, with no backup beside it.
            save.check = [&changed](const std::string&) { return changed; };
        }
        SaveResult saved = SaveFileSafely(
            path,
            SaveWriter([&](int fd) {
                Output output(fd);
                return hyphenate(output);
            }),
            save);
        if (!problem.empty())
            return Error(kUsageError, problem);
        if (!saved.Ok() && !(options.inPlace && saved.step == SaveStep::kRejected))
            return Error(kUsageError, saved.Describe(path));
        return 0;
    }
    Output output;
    if (!hyphenate(output))
        return Error(kUsageError, problem);
    if (!output.Flush())
        return Error(kUsageError, "cannot write to standard output");
    return 0;
}

const CommandRegistration registration({kName, "", "put soft hyphens into Polish text",
                                        std::string(kHelp) + kModeHelp + kEncodingHelp + kHelpEnd, Run});

}  // namespace
}  // namespace tarnik::cli
