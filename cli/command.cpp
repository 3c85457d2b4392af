// The tarnik command's registry and the helpers every subcommand shares.
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "cli/command.h"

namespace tarnik::cli {

namespace {

std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

}  // namespace

CommandRegistration::CommandRegistration(Command command) {
    Registry().push_back(std::move(command));
}

const std::vector<Command>& AllCommands() {
    return Registry();
}

void PrintOverview(std::ostream& out) {
    out << "Usage: tarnik COMMAND [OPTIONS] [ARGS...]\n\n"
           "Polish proofing: spell checking, hyphenation and typography.\n\nCommands:\n";
    std::vector<Command> sorted = Registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& c : sorted) {
        std::string name = c.name + (c.alias.empty() ? "" : ", " + c.alias);
        out << "  " << name << std::string(name.size() < 14 ? 14 - name.size() : 1, ' ')
            << c.summary << "\n";
    }
    out << "\nRun 'tarnik COMMAND --help' for the options of one command.\n";
}

int UsageError(const std::string& command, const std::string& message) {
    std::cerr << "tarnik" << (command.empty() ? "" : " " + command) << ": " << message
              << "\nTry 'tarnik" << (command.empty() ? "" : " " + command) << " --help'.\n";
    return kUsageError;
}

int ReportError(const std::string& command, const std::string& file, const std::string& reason,
                int status) {
    std::cerr << "tarnik" << (command.empty() ? "" : " " + command) << ": "
              << (file.empty() ? "" : file + ": ") << reason << "\n";
    return status;
}

std::string DefaultXTensionsDir() {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return "XTensions";
    fs::path beside = self.parent_path() / "XTensions";
    if (fs::is_directory(beside, error))
        return beside.string();
    return (self.parent_path() / TARNIK_INSTALLED_XTENSIONS).lexically_normal().string();
}

}  // namespace tarnik::cli
