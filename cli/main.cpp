// The tarnik program: dispatches its arguments to a registered command.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <new>

#include "cli/command.h"
#include "cli/spelling_options.h"

namespace {

using namespace tarnik::cli;

// Called as ispell or hunspell are, with options first ("-d pl -a"): the command
// is the one its mode option names (-a pipe, -l list, left out of the rest;
// hunspell's -L, -G, -w and -u list, kept as list's options). Empty when no mode
// option is given.
std::string IspellModeCommand(std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-a" || args[i] == "-l") {
            std::string mode = args[i];
            args.erase(args.begin() + static_cast<ptrdiff_t>(i));
            return mode;
        }
    }
    for (const std::string& arg : args) {
        if (arg == "-L" || arg == "-G" || arg == "-w" || arg == "-u")
            return "list";
    }
    return "";
}

const Command* FindCommand(const std::string& name) {
    for (const Command& c : AllCommands()) {
        if (name == c.name || (!c.alias.empty() && name == c.alias))
            return &c;
    }
    return nullptr;
}

int RunCommand(std::vector<std::string> args) {
    if (args.empty()) {
        PrintOverview(std::cerr);
        return kUsageError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintOverview(std::cout);
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << kVersionText;
        return 0;
    }
    std::string name = args[0];
    if (name.size() > 1 && name[0] == '-' && name != "-a" && name != "-l") {
        name = IspellModeCommand(args);
        if (name.empty()) {
            if (std::find(args.begin(), args.end(), "-v") != args.end() ||
                std::find(args.begin(), args.end(), "-vv") != args.end()) {
                std::cout << kVersionLine << "\n";
                return 0;
            }
            // Options and files without a mode, as to ispell and hunspell: an
            // interactive check of the files.
            name = "check";
        }
        args.insert(args.begin(), name);
    } else if (!FindCommand(name)) {
        // tarnik FILE...: an interactive check, as ispell FILE and hunspell FILE.
        std::error_code error;
        if (!std::filesystem::exists(name, error))
            return UsageError("",
                              "unknown command '" + name + "', and there is no file of that name");
        args.insert(args.begin(), "check");
    }
    return FindCommand(args[0])->run(std::vector<std::string>(args.begin() + 1, args.end()));
}

}  // namespace

int main(int argc, char** argv) {
    // Output is buffered and written in large blocks; commands that answer a
    // reader as they go (the pipe) flush after each answer.
    std::ios_base::sync_with_stdio(false);
    int status = kUsageError;
    try {
        status = RunCommand(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        // A text too large for this machine's memory: said as such, never an
        // abort; whatever the command was writing is left as it was (every
        // save is whole or not at all).
        std::cerr << "tarnik: out of memory: the input is too large to work on here\n";
        return kUsageError;
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tarnik: cannot write the output: " << std::strerror(errno) << "\n";
        return 1;
    }
    return status;
}
