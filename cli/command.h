// The tarnik command's subcommands. Each cli/*.cpp that adds a subcommand
// registers it with a static CommandRegistration; main() dispatches on the name.
#pragma once

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

// Exit status for bad usage and for data that cannot be opened.
constexpr int kUsageError = 2;

// Reports a usage problem on stderr ("tarnik NAME: MESSAGE", then a hint to
// --help) and returns kUsageError.
int UsageError(const std::string& command, const std::string& message);

// The host's XTensions folder: the plug-in module and its bundled data files
// ("son.dic", "PLHYPH.DAT") lie there. Found from the tarnik executable's own
// place, whatever the working folder: the folder "XTensions" beside it, as in the
// build folder, else the installed one (bin/../lib/tarnik/XTensions).
std::string DefaultXTensionsDir();

}  // namespace tarnik::cli
