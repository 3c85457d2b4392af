#include <unistd.h>

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

}  // namespace

CommandRegistration::CommandRegistration(Command command) {
    Registry().push_back(std::move(command));
}

const std::vector<Command>& AllCommands() {
    return Registry();
}

int UsageError(const std::string& command, const std::string& message) {
    std::cerr << "tarnik" << (command.empty() ? "" : " " + command) << ": " << message
              << "\nTry 'tarnik" << (command.empty() ? "" : " " + command) << " --help'.\n";
    return kUsageError;
}

std::string DefaultXTensionsDir() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "XTensions";
    return (self.parent_path() / "XTensions").string();
}

}  // namespace tarnik::cli

int main(int argc, char** argv) {
    using namespace tarnik::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintOverview(std::cerr);
        return kUsageError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintOverview(std::cout);
        return 0;
    }
    for (const Command& c : AllCommands()) {
        if (args[0] == c.name || (!c.alias.empty() && args[0] == c.alias)) {
            std::vector<std::string> rest(args.begin() + 1, args.end());
            if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
                std::cout << c.help;
                return 0;
            }
            return c.run(rest);
        }
    }
    return UsageError("", "unknown command '" + args[0] + "'");
}
