// The tarnik command's subcommands. Each cli/*.cpp that adds a subcommand
// registers it with a static CommandRegistration; main() dispatches on the name.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tarnik::cli {

struct Command {
    std::string name;                                  // "pipe"
    std::string alias;                                 // "-a", or empty
    std::string summary;                               // one line for `tarnik --help`
    std::string help;                                  // the whole text for `tarnik NAME --help`
    int (*run)(const std::vector<std::string>& args);  // args after the name; exit status
};

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& AllCommands();

// The list of commands with their one-line summaries, for `tarnik --help`.
void PrintOverview(std::ostream& out);

// What --version prints.
inline constexpr char kVersionText[] = "tarnik " TARNIK_VERSION "\n";

// The exit statuses of every command: 0 when nothing is left to do; 1 when
// findings are left for the user (quotation marks left, a word refused, a check
// interrupted); 2 for bad usage and for input, data or output that cannot be
// read or written. pipe and list answer with their findings, as ispell and
// hunspell do, and end with 0: editors take any other status for a failure.
constexpr int kFindingsLeft = 1;
constexpr int kUsageError = 2;

// Reports a usage problem on stderr ("tarnik NAME: MESSAGE", then a hint to
// --help) and returns kUsageError.
int UsageError(const std::string& command, const std::string& message);

// Reports a failure on stderr, the file first and then the reason ("tarnik
// NAME: notes.txt: No such file or directory"; without a file, "tarnik NAME:
// REASON"), and returns `status`.
int ReportError(const std::string& command, const std::string& file, const std::string& reason,
                int status = kUsageError);

// The host's XTensions folder: the plug-in module and its bundled data files
// ("son.dic", "PLHYPH.DAT") lie there. Found from the tarnik executable's own
// place, whatever the working folder: the folder "XTensions" beside it, as in the
// build folder, else the installed one (bin/../lib/tarnik/XTensions).
std::string DefaultXTensionsDir();

}  // namespace tarnik::cli
