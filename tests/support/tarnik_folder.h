// The one fixture of the tests that run the tarnik program: a temporary folder
// of the test's own with a private copy of the built tarnik (see
// private_tarnik.h), and tarnik run in it as a user runs it: the arguments as
// shell words, the input on standard input, the per-user data folder
// (XDG_DATA_HOME) inside the folder. Whatever the program writes stays in the
// folder, which goes with the test.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/private_tarnik.h"
#include "tests/support/temp_folder.h"

namespace clitest {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class TarnikFolder : public ::testing::Test {
  protected:
    void SetUp() override { tarnik_ = testsupport::PrivateTarnik(folder_); }

    const std::filesystem::path& Folder() const { return folder_; }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    // The folder of the data files: son.dic, PLHYPH.DAT.
    std::string DataFolder() const { return Path(".tarnik/XTensions"); }
    // The private copy of the program.
    const std::string& Program() const { return tarnik_; }

    // Writes `bytes` into the file `name` of the folder; its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The names in the folder, sorted, the program's own copy left out.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            std::string name = entry.path().filename().string();
            if (name != ".tarnik")
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs `tarnik ARGUMENTS` in the folder with `input` on standard input.
    Outcome Run(const std::string& arguments, const std::string& input = "") const {
        return RunWrapped("", arguments, input);
    }
    // The same, with the program started through `wrapper` (shell words put
    // before it: "timeout 120", or "sh -c '...'" that runs "$0" "$@").
    Outcome RunWrapped(const std::string& wrapper, const std::string& arguments,
                       const std::string& input = "") const {
        Write(".stdin", input);
        return Launch("", wrapper + " '" + tarnik_ + "' " + arguments, ".stdin");
    }
    // Runs `tarnik ARGUMENTS` with the file `inputFile` on standard input, after
    // the shell commands `before` ("ulimit -f 2; ", say), which hold for the
    // program and for what its output goes into.
    Outcome RunOnFile(const std::string& arguments, const std::string& inputFile,
                      const std::string& before = "") const {
        return Launch(before, "'" + tarnik_ + "' " + arguments, "'" + inputFile + "'");
    }

    // Runs the bash script `script` in the folder, with the private tarnik
    // first on the PATH and nothing on standard input.
    Outcome RunScript(const std::string& script) const {
        Write(".script.sh", script);
        Write(".stdin", "");
        return Launch("",
                      "PATH='" + std::filesystem::path(tarnik_).parent_path().string() +
                          "':\"$PATH\" bash .script.sh",
                      ".stdin");
    }

  private:
    Outcome Launch(const std::string& before, const std::string& program,
                   const std::string& input) const {
        std::string command = "cd '" + folder_.string() + "' && " + before + "XDG_DATA_HOME='" +
                              Path(".xdg") + "' " + program + " <" + input + " >.stdout 2>.stderr";
        int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(".stdout"), Read(".stderr")};
    }

    testsupport::TempFolder temp_;
    std::filesystem::path folder_ = temp_.Path();
    std::string tarnik_;
};

}  // namespace clitest
